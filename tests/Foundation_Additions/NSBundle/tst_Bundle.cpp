#include "Foundation_Additions/NSBundle/Bundle.h"

#include <QCoreApplication>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_Bundle : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mainBundlePath()
    {
        // Until the program names its data folder, the bundle is the executable's folder.
        QCOMPARE(tz::bundle::mainBundlePath(), QCoreApplication::applicationDirPath());
        tz::bundle::setMainBundlePath(u"/usr/share/burner-catalogue"_s);
        QCOMPARE(tz::bundle::mainBundlePath(), u"/usr/share/burner-catalogue"_s);
        tz::bundle::setMainBundlePath(QString());
        QCOMPARE(tz::bundle::mainBundlePath(), QCoreApplication::applicationDirPath());
    }
};

QTEST_GUILESS_MAIN(tst_Bundle)
#include "tst_Bundle.moc"
