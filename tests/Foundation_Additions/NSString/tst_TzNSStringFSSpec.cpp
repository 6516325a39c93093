#include "Foundation_Additions/NSString/TzNSStringFSSpec.h"

#include "Carbon/FSCatalogInfo.h"
#include "Carbon/FSVolumes.h"
#include "support/StdErrCapture.h"

#include <QDir>
#include <QFile>
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

    void specificationNamesVolumeParentAndName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("olderName");
        QTest::newRow("short name") << u"Report.txt"_s << QByteArray("\x0aReport.txt");
        QTest::newRow("character outside Mac OS Roman") << u"\u4e2d.txt"_s << QByteArray("\x05?.txt");
        QTest::newRow("long name cut to 31 bytes")
            << QString(40, u'n') << (QByteArray(1, '\x1f') + QByteArray(31, 'n'));
    }
    void specificationNamesVolumeParentAndName()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, olderName);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = QDir(dir.path()).canonicalPath();
        QFile file(folder + u'/' + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        tz::FSRef parent;
        tz::FSCatalogInfo parentInfo;
        QCOMPARE(tz::FSPathMakeRef(folder, &parent), tz::fsNoError);
        QCOMPARE(tz::FSGetCatalogInfo(parent, tz::fsCatInfoNodeID, &parentInfo), tz::fsNoError);
        tz::FSVolumeRefNum volume = 0;
        QCOMPARE(tz::FSGetVRefNum(parent, &volume), tz::fsNoError);

        StdErrCapture capture;
        const tz::FSSpec spec = tz::getFSSpec(file.fileName());
        QCOMPARE(spec.vRefNum, volume);
        QCOMPARE(spec.parID, parentInfo.nodeID);
        QCOMPARE(spec.name, olderName);
        QCOMPARE(capture.text(), QByteArray());
    }

    void missingPathLogsBothLookups()
    {
        StdErrCapture capture;
        const tz::FSSpec spec = tz::getFSSpec(u"/nonexistent-folder-of-tests/item"_s);
        QCOMPARE(spec.vRefNum, 0);
        QCOMPARE(spec.parID, 0u);
        QVERIFY(spec.name.isEmpty());
        const QList<QByteArray> lines = capture.text().split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines.at(0).endsWith("-43 returned from FSPathMakeRef for path /nonexistent-folder-of-tests/item"),
                 lines.at(0).constData());
        QVERIFY2(lines.at(1).contains(" (-[NSString(FSSpec) getFSSpec]) "), lines.at(1).constData());
        QVERIFY2(lines.at(1).contains(" returned from FSGetCatalogInfo for path /nonexistent-folder-of-tests/item"),
                 lines.at(1).constData());
    }
};

QTEST_GUILESS_MAIN(TestFSSpec)
#include "tst_TzNSStringFSSpec.moc"
