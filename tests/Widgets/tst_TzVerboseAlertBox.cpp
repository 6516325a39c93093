#include "Functions/TzVerboseLogging.h"
#include "Widgets/TzVerboseAlertBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class tst_TzVerboseAlertBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The alert is an application-modal message box with the alert's title and text; it returns
    // once the user has answered it.
    void alertIsAnApplicationModalMessageBox()
    {
        tz::useMessageBoxForVerboseAlert();
        QString title;
        QString text;
        Qt::WindowModality modality = Qt::NonModal;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            modality = box->windowModality();
            box->button(QMessageBox::Ok)->click();
        });
        tz::verboseAlert();
        QCOMPARE(title, tz::verboseAlertTitle);
        QCOMPARE(text, tz::verboseOff);
        QCOMPARE(modality, Qt::ApplicationModal);
        tz::setVerboseAlertPresenter({});
    }
};

QTEST_MAIN(tst_TzVerboseAlertBox)
#include "tst_TzVerboseAlertBox.moc"
