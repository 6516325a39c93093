#include "Carbon/FSRef.h"
#include "Foundation_Additions/NSFileManager/AppleDouble.h"
#include "Foundation_Additions/NSFileManager/TzNSFileManagerFileIsVisible.h"
#include "Foundation_Additions/NSFileManager/TzNSFileManagerSetHFSInvisible.h"

#include "support/StdErrCapture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

// Visibility marks and the make-visible renames, in real folders: one fresh folder per case.
class TestFileIsVisible : public QObject
{
    Q_OBJECT

    QTemporaryDir _dir;
    int _serial = 0;

    // A fresh folder holding `name` (a folder when the name ends in "/"), its ".hidden" file when
    // given, and the blocking items.
    QString makeCase(const QString& name, bool bit, const QString& dotHidden, const QStringList& occupied = {})
    {
        const QString folder = _dir.path() + u"/case"_s + QString::number(++_serial);
        if (!QDir().mkpath(folder))
            return {};
        const bool isFolder = name.endsWith(u'/');
        const QString path = folder + u'/' + (isFolder ? name.chopped(1) : name);
        if (isFolder ? !QDir().mkdir(path) : !writeAll(path, "data"))
            return {};
        if (!dotHidden.isNull() && !writeAll(folder + u"/.hidden"_s, dotHidden.toUtf8()))
            return {};
        for (const QString& item : occupied) {
            if (!writeAll(folder + u'/' + item, "occupied"))
                return {};
        }
        if (bit && !tz::setFileInvisibleBit(path, true))
            return {};
        return path;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(_dir.isValid()); }

    void rootListDefaults()
    {
        if (QFileInfo(u"/.hidden"_s).isReadable())
            QSKIP("this machine has a /.hidden file");
        const QStringList names = tz::rootHiddenList().split(u'\n');
        QCOMPARE(names.size(), 21);
        QCOMPARE(names.first(), u"automount"_s);
        QCOMPARE(names.at(8), u"lost+found"_s);
        QCOMPARE(names.last(), u"Volumes"_s);
        QCOMPARE(tz::rootHiddenList(), tz::defaultRootHiddenList());
    }

    void marks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("bit");
        QTest::addColumn<QString>("dotHidden");
        QTest::addColumn<bool>("listed");       // inDotHiddenFile
        QTest::addColumn<bool>("isVisible");    // fileIsVisible
        QTest::addColumn<bool>("browserShows"); // visibleFileAtPath

        QTest::newRow("plain") << u"notes.txt"_s << false << QString() << false << true << true;
        QTest::newRow("leading dot") << u".notes.txt"_s << false << QString() << false << false << false;
        QTest::newRow("invisible bit") << u"notes.txt"_s << true << QString() << false << false << false;
        QTest::newRow("folder with the bit") << u"stuff/"_s << true << QString() << false << false << false;
        QTest::newRow("root list name") << u"usr"_s << false << QString() << true << false << true;
        QTest::newRow("part of a root list name") << u"sr"_s << false << QString() << true << false << true;
        QTest::newRow("root list name with a blank") << u"Desktop DB"_s << false << QString() << true << false << true;
        QTest::newRow("root list across a line end") << u"bin\ncores"_s << false << QString() << true << false << true;
        QTest::newRow("root list is case-sensitive") << u"USR"_s << false << QString() << false << true << true;
        QTest::newRow("folder list line") << u"notes.txt"_s << false << u"a\nnotes.txt\nb"_s << true << false << false;
        QTest::newRow("part of a folder list line") << u"notes"_s << false << u"notes.txt\n"_s << true << false << true;
        QTest::newRow("backup name") << u"notes.txt~"_s << false << QString() << false << true << false;
    }
    void marks()
    {
        QFETCH(QString, name);
        QFETCH(bool, bit);
        QFETCH(QString, dotHidden);
        QFETCH(bool, listed);
        QFETCH(bool, isVisible);
        QFETCH(bool, browserShows);
        const QString path = makeCase(name, bit, dotHidden);
        QVERIFY(!path.isNull());
        QCOMPARE(tz::fileInvisibleBitSet(path), bit);
        QCOMPARE(tz::inDotHiddenFile(path), listed);
        QCOMPARE(tz::fileIsVisible(path), isVisible);
        QCOMPARE(tz::visibleFileAtPath(path), browserShows);
    }

    void nothingAtThePath()
    {
        const QString path = _dir.path() + u"/missing"_s;
        QVERIFY(!tz::fileInvisibleBitSet(path));
        QVERIFY(!tz::setFileInvisibleBit(path, true));
        QVERIFY(!tz::visibleFileAtPath(path));
        QVERIFY(!tz::setInvisibleForFileAtPath(path));
        QVERIFY(!tz::setVisibleForFileAtPath(path));
        QVERIFY(!QFile::exists(_dir.path() + u"/._missing"_s));
        StdErrCapture capture;
        QString inOut = path;
        QVERIFY(!tz::makeFileVisible(&inOut));
        QVERIFY(!tz::makeFileVisibleLite(&inOut));
        QCOMPARE(inOut, path);

        // A NUL would cut the path short at an existing item: nothing is there either.
        const QString dotted = makeCase(u".dotted"_s, false, QString());
        inOut = dotted + QChar(u'\0') + u"x"_s;
        QVERIFY(!tz::makeFileVisible(&inOut));
        QVERIFY(!tz::setInvisibleForFileAtPath(inOut));
        QVERIFY(QFileInfo::exists(dotted));
        QVERIFY(!QFile::exists(tz::appleDoubleCompanionPath(dotted)));
        QCOMPARE(capture.text(), QByteArray());
    }

    void bitSettersKeepOtherFlags()
    {
        const QString path = makeCase(u"flags"_s, false, QString());
        QByteArray info(32, '\0');
        info.replace(0, 8, "TEXTttxt");
        info[8] = '\x01'; // another flag in the high byte
        info[9] = '\x10';
        QVERIFY(tz::writeFinderInfo(path, info));
        QVERIFY(tz::setInvisibleForFileAtPath(path));
        QByteArray read;
        QCOMPARE(tz::readFinderInfo(path, &read), tz::AppleDoubleStatus::Ok);
        QCOMPARE(quint8(read[8]), quint8(0x41));
        QCOMPARE(read.first(8), QByteArray("TEXTttxt"));
        QCOMPARE(quint8(read[9]), quint8(0x10));
        QVERIFY(tz::setVisibleForFileAtPath(path));
        QCOMPARE(tz::readFinderInfo(path, &read), tz::AppleDoubleStatus::Ok);
        QCOMPARE(read, info);

        // Only the bit in the companion: clearing it leaves no companion behind.
        const QString bare = makeCase(u"bare"_s, true, QString());
        QVERIFY(QFile::exists(tz::appleDoubleCompanionPath(bare)));
        QVERIFY(tz::setVisibleForFileAtPath(bare));
        QVERIFY(!QFile::exists(tz::appleDoubleCompanionPath(bare)));

        // A companion we cannot parse is left alone and the setter says so.
        const QString broken = makeCase(u"broken"_s, false, QString());
        QVERIFY(writeAll(tz::appleDoubleCompanionPath(broken), "junk"));
        QVERIFY(!tz::setInvisibleForFileAtPath(broken));
        QVERIFY(!tz::fileInvisibleBitSet(broken));
    }

    void finderFlagChangesThroughReferences()
    {
        const QString path = makeCase(u"referenced"_s, false, QString());
        tz::FSRef ref;
        QVERIFY(tz::getFSRef(path, &ref));
        QCOMPARE(tz::MoreFiles_X_FSChangeFinderFlags(ref, true, 0x0401), tz::fsNoError);
        QCOMPARE(tz::MoreFiles_X_FSSetInvisible(ref), tz::fsNoError);
        QByteArray info;
        QCOMPARE(tz::readFinderInfo(path, &info), tz::AppleDoubleStatus::Ok);
        QCOMPARE(quint8(info[8]), quint8(0x44));
        QCOMPARE(quint8(info[9]), quint8(0x01));
        QCOMPARE(tz::MoreFiles_X_FSChangeFinderFlags(ref, false, 0x0400), tz::fsNoError);
        QCOMPARE(tz::MoreFiles_X_FSSetVisible(ref), tz::fsNoError);
        QCOMPARE(tz::readFinderInfo(path, &info), tz::AppleDoubleStatus::Ok);
        QCOMPARE(quint8(info[8]), quint8(0x00));
        QCOMPARE(quint8(info[9]), quint8(0x01));

        // A reference to an item that was replaced since fails without writing anything.
        QVERIFY(writeAll(path + u".new"_s, "replacement")); // made while the old one lives: another inode
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::remove(tz::appleDoubleCompanionPath(path)));
        QVERIFY(QFile::rename(path + u".new"_s, path));
        QVERIFY(tz::MoreFiles_X_FSSetInvisible(ref) != tz::fsNoError);
        QVERIFY(!QFile::exists(tz::appleDoubleCompanionPath(path)));
    }

    // Starting state -> result, final name, bit and log text. Every item has a companion holding
    // a resource fork, which must end up beside the final name.
    void makeVisible_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("bit");
        QTest::addColumn<QString>("dotHidden");
        QTest::addColumn<QStringList>("occupied");
        QTest::addColumn<bool>("lite");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("finalName");
        QTest::addColumn<QString>("log");  // "" for none; %1 the folder, %2 the starting name, %3 the new name
        QTest::addColumn<bool>("logLine"); // with the log-line prefix

        const QStringList none;
        const QString noList;
        const QString failed = u"Could not rename %1/%2 to %1/%3"_s;
        QTest::newRow("dot name") << u".notes.txt"_s << false << noList << none << false << true << u"dot(.notes).txt"_s
                                  << u""_s << false;
        QTest::newRow("dot name, lite") << u".notes.txt"_s << false << noList << none << true << true
                                        << u"(.)notes.txt"_s << u""_s << false;
        QTest::newRow("dot name, no extension")
            << u".profile"_s << false << noList << none << false << true << u"dot(.profile)"_s << u""_s << false;
        QTest::newRow("dot name, no extension, lite")
            << u".profile"_s << false << noList << none << true << true << u"(.)profile"_s << u""_s << false;
        QTest::newRow("dot folder") << u".cache/"_s << false << noList << none << false << true << u"dot(.cache)"_s
                                    << u""_s << false;
        QTest::newRow("bit only") << u"notes.txt"_s << true << noList << none << false << true << u"notes.txt"_s
                                  << u""_s << false;
        QTest::newRow("bit only, lite") << u"notes.txt"_s << true << noList << none << true << true << u"notes.txt"_s
                                        << u""_s << false;
        QTest::newRow("dot and bit") << u".both.txt"_s << true << noList << none << false << true
                                     << u"inv isible_bit(dot(.both)).txt"_s << u""_s << false;
        QTest::newRow("dot and bit, lite")
            << u".both.txt"_s << true << noList << none << true << true << u"(.)both.txt"_s << u""_s << false;
        QTest::newRow("listed") << u"listed.txt"_s << false << u"listed.txt\n"_s << none << false << true
                                << u"in_dot_hiddenfile(listed).txt"_s << u""_s << false;
        QTest::newRow("listed, lite") << u"listed.txt"_s << false << u"listed.txt\n"_s << none << true << true
                                      << u"listed.txt"_s << u"System invisible file at path: %1/%2"_s << false;
        QTest::newRow("all three marks") << u".all.cfg"_s << true << u".all.cfg"_s << none << false << true
                                         << u"in_dot_hiddenfile(inv isible_bit(dot(.all))).cfg"_s << u""_s << false;
        QTest::newRow("listed and bit, lite")
            << u"listed.txt"_s << true << u"listed.txt"_s << none << true << true << u"listed.txt"_s << u""_s << false;
        QTest::newRow("backup name") << u"notes~"_s << false << noList << none << false << true << u"notes~"_s
                                     << u"Mysteriously invisible file at path: %1/%2"_s << false;
        QTest::newRow("backup name, lite") << u"notes~"_s << false << noList << none << true << true << u"notes~"_s
                                           << u"System invisible file at path: %1/%2"_s << false;
        QTest::newRow("root list name is shown")
            << u"usr"_s << false << noList << none << false << true << u"usr"_s << u""_s << false;
        QTest::newRow("new name taken") << u".taken.txt"_s << false << noList << QStringList{u"dot(.taken).txt"_s}
                                        << false << false << u".taken.txt"_s
                                        << failed.arg(u"%1"_s, u"%2"_s, u"dot(.taken).txt"_s) << true;
        QTest::newRow("new name taken, lite")
            << u".taken.txt"_s << false << noList << QStringList{u"(.)taken.txt"_s} << true << false << u".taken.txt"_s
            << failed.arg(u"%1"_s, u"%2"_s, u"(.)taken.txt"_s) << false;
        QTest::newRow("new name taken, bit stays cleared")
            << u".taken.txt"_s << true << noList << QStringList{u"inv isible_bit(dot(.taken)).txt"_s} << false << false
            << u".taken.txt"_s << failed.arg(u"%1"_s, u"%2"_s, u"inv isible_bit(dot(.taken)).txt"_s) << true;
    }
    void makeVisible()
    {
        QFETCH(QString, name);
        QFETCH(bool, bit);
        QFETCH(QString, dotHidden);
        QFETCH(QStringList, occupied);
        QFETCH(bool, lite);
        QFETCH(bool, result);
        QFETCH(QString, finalName);
        QFETCH(QString, log);
        QFETCH(bool, logLine);

        const QString start = makeCase(name, bit, dotHidden, occupied);
        QVERIFY(!start.isNull());
        tz::AppleDouble companion;
        QCOMPARE(tz::readAppleDouble(start, &companion),
                 bit ? tz::AppleDoubleStatus::Ok : tz::AppleDoubleStatus::Absent);
        companion.setEntry(tz::appleDoubleResourceForkEntry, "fork");
        QVERIFY(tz::writeAppleDouble(start, companion));
        const QString folder = QFileInfo(start).path();

        QString path = start;
        StdErrCapture capture;
        QCOMPARE(lite ? tz::makeFileVisibleLite(&path) : tz::makeFileVisible(&path), result);
        const QString text = QString::fromUtf8(capture.text());

        const QString finalPath = folder + u'/' + (finalName.endsWith(u'/') ? finalName.chopped(1) : finalName);
        QCOMPARE(path, result ? finalPath : start);
        QVERIFY(QFileInfo::exists(finalPath));
        QCOMPARE(QFileInfo::exists(start), start == finalPath);
        QVERIFY(!tz::fileInvisibleBitSet(finalPath));
        QCOMPARE(tz::resourceForkSize(finalPath), 4);
        if (start != finalPath)
            QVERIFY(!QFile::exists(tz::appleDoubleCompanionPath(start)));

        if (log.isEmpty()) {
            QCOMPARE(text, QString());
            return;
        }
        const QString message = log.arg(folder, QFileInfo(start).fileName());
        QCOMPARE(capture.lineCount(), 1);
        QVERIFY2(text.endsWith(u"] "_s + message + u'\n') || logLine, qPrintable(text));
        if (logLine) {
            const QRegularExpression prefix(
                uR"(\] "TzNSFileManagerFileIsVisible\.cpp",#\d+ \(\+\[NSFileManager\(fileIsVisible\) makeFileVisible:\]\) )"_s
                + QRegularExpression::escape(message) + u"\n$"_s);
            QVERIFY2(prefix.match(text).hasMatch(), qPrintable(text));
        }
    }
};

QTEST_GUILESS_MAIN(TestFileIsVisible)
#include "tst_TzNSFileManagerFileIsVisible.moc"
