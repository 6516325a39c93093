#include "Foundation_Additions/NSString/TzNSStringFSSpec.h"

#include "support/StdErrCapture.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestFSSpec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void existingPathGivesItsReferenceQuietly()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = QDir(dir.path()).canonicalPath();
        StdErrCapture capture;
        const tz::FSRef ref = tz::getFSRef(path);
        QCOMPARE(ref.path, path);
        QVERIFY(tz::FSRefValid(ref));
        QCOMPARE(capture.text(), QByteArray());
    }

    void missingPathLogsItsStatus()
    {
        const QString path = u"/nonexistent-folder-of-tests/item"_s;
        StdErrCapture capture;
        const tz::FSRef ref = tz::getFSRef(path);
        QVERIFY(ref.isNull());
        QVERIFY(!tz::FSRefValid(ref));
        const QByteArray text = capture.text();
        QCOMPARE(capture.lineCount(), 1);
        QVERIFY2(text.contains("\"TzNSStringFSSpec.cpp\",#"), text.constData());
        QVERIFY2(text.endsWith(" (-[NSString(FSSpec) getFSRef]) -43 returned from FSPathMakeRef for path "
                               "/nonexistent-folder-of-tests/item\n"),
                 text.constData());
    }
};

QTEST_GUILESS_MAIN(TestFSSpec)
#include "tst_TzNSStringFSSpec.moc"
