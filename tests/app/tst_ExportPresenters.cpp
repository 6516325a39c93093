#include "app/ExportPresenters.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class tst_ExportPresenters : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void savePanel_data();
    void savePanel();
};

namespace {

// Waits for the modal save dialog, then cancels (null name), saves under the name it offers
// (empty name) or types the name and saves.
void answerDialog(const QString& name)
{
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) {
        QTimer::singleShot(10, [name] { answerDialog(name); });
        return;
    }
    if (name.isNull()) {
        QMetaObject::invokeMethod(dialog, &QDialog::reject);
        return;
    }
    if (!name.isEmpty())
        dialog->selectFile(name);
    QMetaObject::invokeMethod(dialog, &QDialog::accept);
}

} // namespace

void tst_ExportPresenters::savePanel_data()
{
    QTest::addColumn<QString>("suggested");
    QTest::addColumn<QString>("typed");    // null: the user cancels; empty: saves as offered
    QTest::addColumn<QString>("expected"); // file name of the answer; null: a null answer

    QTest::newRow("offered name gets the extension") << u"Connected Devices"_s << u""_s << u"Connected Devices.txt"_s;
    QTest::newRow("offered name with the extension kept") << u"Item Detail.txt"_s << u""_s << u"Item Detail.txt"_s;
    QTest::newRow("extension in capitals kept") << u"x"_s << u"NOTES.TXT"_s << u"NOTES.TXT"_s;
    QTest::newRow("other extension gets txt added") << u"x"_s << u"burners.csv"_s << u"burners.csv.txt"_s;
    QTest::newRow("cancel answers null") << u"Supported Burners"_s << QString() << QString();
}

void tst_ExportPresenters::savePanel()
{
    QFETCH(QString, suggested);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString answerName = typed.isEmpty() ? typed : dir.filePath(typed);
    QTimer::singleShot(0, [answerName] { answerDialog(answerName); });

    const QString path = ExportPresenters().savePanel(nullptr, suggested, u"txt"_s);
    if (expected.isNull()) {
        QVERIFY(path.isNull());
    } else {
        QCOMPARE(QFileInfo(path).fileName(), expected);
        if (!typed.isEmpty())
            QCOMPARE(QFileInfo(path).absolutePath(), QDir(dir.path()).absolutePath());
    }
}

QTEST_MAIN(tst_ExportPresenters)
#include "tst_ExportPresenters.moc"
