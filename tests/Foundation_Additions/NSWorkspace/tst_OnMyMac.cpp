#include "Foundation_Additions/NSWorkspace/OnMyMac.h"

#include "Foundation_Additions/NSData/TzNSDataDigest.h"
#include "Foundation_Additions/NSData/TzNSDataHexadecimalRepresentation.h"

#include "support/StdErrCapture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// One process, one answer: the marker is there at the first call, gone at the second.
class TestOnMyMac : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void markerName()
    {
        const passwd* me = ::getpwuid(::geteuid());
        QVERIFY(me);
        const QByteArray login(me->pw_name);
        const QString name = tz::onMyMacMarkerName();
        QCOMPARE(name, u"zz"_s + tz::hexadecimalRepresentation(tz::sha1Digest(login)) + u".txt"_s);
        QCOMPARE(name.size(), 2 + 40 + 4);
    }

    void markedAccountIsFoundOnceAndKept()
    {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        qputenv("HOME", QFile::encodeName(home.path()));
        QFile marker(home.filePath(tz::onMyMacMarkerName()));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();
        {
            StdErrCapture capture;
            QVERIFY(tz::OnMyMac());
            QVERIFY2(capture.text().endsWith("] On My Mac!\n"), capture.text().constData());
            QCOMPARE(capture.lineCount(), 1);
        }
        QVERIFY(marker.remove());
        StdErrCapture capture;
        QVERIFY(tz::OnMyMac());
        QCOMPARE(capture.text(), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestOnMyMac)
#include "tst_OnMyMac.moc"
