#include "Foundation_Additions/NSFileManager/AppleDouble.h"
#include "Foundation_Additions/NSFileManager/HandMade.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace {

using handmade::be16;
using handmade::be32;
using HandMade = handmade::Companion;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestAppleDouble : public QObject
{
    Q_OBJECT

    QTemporaryDir _dir;
    QString at(const QString& name) const { return _dir.path() + u'/' + name; }
    QString newFile(const QString& name) const
    {
        const QString path = at(name);
        return writeAll(path, "data") ? path : QString();
    }

private Q_SLOTS:
    void companionPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("companion");
        QTest::newRow("absolute") << u"/a/b/name.txt"_s << u"/a/b/._name.txt"_s;
        QTest::newRow("relative, no folder") << u"name"_s << u"._name"_s;
        QTest::newRow("folder with trailing slash") << u"/a/folder/"_s << u"/a/._folder"_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void companionPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, companion);
        QCOMPARE(tz::appleDoubleCompanionPath(path), companion);
        QCOMPARE(tz::appleDoubleCompanionPath(path).isNull(), companion.isNull());
    }

    void readsAHandMadeCompanion()
    {
        const HandMade made;
        tz::AppleDouble file;
        QCOMPARE(tz::parseAppleDouble(made.bytes(), &file), tz::AppleDoubleStatus::Ok);
        QCOMPARE(file.filler, QByteArray("Mac OS X        "));
        QCOMPARE(file.entries.size(), 3);
        QCOMPARE(file.entries.at(0).id, 9u);
        QCOMPARE(file.entries.at(1).id, 4u);
        QCOMPARE(file.entries.at(2).id, 2u);
        QCOMPARE(file.entry(tz::appleDoubleFinderInfoEntry), made.finderInfo);
        QCOMPARE(file.entry(4), made.comment);
        QCOMPARE(file.entry(tz::appleDoubleResourceForkEntry), made.fork);
        QVERIFY(file.entry(3).isNull());
        QVERIFY(!file.isEmpty());
        // Packed in file order, the hand-made layout is exactly what the writer produces.
        QCOMPARE(tz::serializeAppleDouble(file), made.bytes());
    }

    void writerLayoutFieldByField()
    {
        tz::AppleDouble file;
        file.setEntry(tz::appleDoubleResourceForkEntry, "fork");
        file.setEntry(tz::appleDoubleFinderInfoEntry, QByteArray(32, 'f')); // goes in front of the fork
        file.setEntry(7, QByteArray());                                     // present, empty
        const QByteArray bytes = tz::serializeAppleDouble(file);
        QCOMPARE(bytes.size(), 26 + 3 * 12 + 32 + 4);
        QCOMPARE(qFromBigEndian<quint32>(bytes.constData()), 0x00051607u);
        QCOMPARE(qFromBigEndian<quint32>(bytes.constData() + 4), 0x00020000u);
        QCOMPARE(bytes.mid(8, 16), QByteArray(16, '\0'));
        QCOMPARE(qFromBigEndian<quint16>(bytes.constData() + 24), quint16(3));
        const quint32 expected[3][3] = {{9, 62, 32}, {2, 94, 4}, {7, 98, 0}};
        for (int i = 0; i < 3; ++i) {
            for (int field = 0; field < 3; ++field)
                QCOMPARE(qFromBigEndian<quint32>(bytes.constData() + 26 + i * 12 + field * 4), expected[i][field]);
        }
        QCOMPARE(bytes.mid(62, 32), QByteArray(32, 'f'));
        QCOMPARE(bytes.mid(94, 4), QByteArray("fork"));

        tz::AppleDouble back;
        QCOMPARE(tz::parseAppleDouble(bytes, &back), tz::AppleDoubleStatus::Ok);
        QVERIFY(!back.entry(7).isNull());
        QVERIFY(back.entry(7).isEmpty());
    }

    void malformed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = HandMade().bytes();
        QByteArray wrongMagic = good;
        wrongMagic[3] = '\x00';
        QByteArray versionOne = good;
        versionOne[5] = '\x01';
        versionOne[6] = '\x00';
        QByteArray tooManyEntries = good;
        tooManyEntries.replace(24, 2, be16(200));
        QByteArray entryPastTheEnd = good;
        entryPastTheEnd.replace(26 + 2 * 12 + 8, 4, be32(1000));
        QByteArray wrappingOffset = good;
        wrappingOffset.replace(26 + 4, 8, be32(0xFFFFFFF0) + be32(0x20));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header cut") << good.first(25);
        QTest::newRow("descriptors cut") << good.first(26 + 12 + 5);
        QTest::newRow("data cut") << good.chopped(1);
        QTest::newRow("wrong magic") << wrongMagic;
        QTest::newRow("other version") << versionOne;
        QTest::newRow("more descriptors than bytes") << tooManyEntries;
        QTest::newRow("entry past the end") << entryPastTheEnd;
        QTest::newRow("offset plus length wraps") << wrappingOffset;
    }
    void malformed()
    {
        QFETCH(QByteArray, bytes);
        tz::AppleDouble file;
        file.setEntry(1, "stale");
        QCOMPARE(tz::parseAppleDouble(bytes, &file), tz::AppleDoubleStatus::Malformed);
        QVERIFY(file.entries.isEmpty());
    }

    void overlappingEntriesAreEachCopied()
    {
        const QByteArray bytes = be32(0x00051607) + be32(0x00020000) + QByteArray(16, '\0') + be16(2) + be32(9)
            + be32(0) + be32(32) + be32(2) + be32(8) + be32(40) + QByteArray(10, 'x');
        tz::AppleDouble file;
        QCOMPARE(tz::parseAppleDouble(bytes, &file), tz::AppleDoubleStatus::Ok);
        QCOMPARE(file.entry(9), bytes.first(32));
        QCOMPARE(file.entry(2), bytes.sliced(8, 40));
    }

    void finderInfoWithoutCompanion()
    {
        const QString path = newFile(u"plain"_s);
        QVERIFY(!path.isNull());
        QByteArray info("x");
        QCOMPARE(tz::readFinderInfo(path, &info), tz::AppleDoubleStatus::Absent);
        QCOMPARE(info, QByteArray(32, '\0'));
        QCOMPARE(tz::resourceForkSize(path), 0);

        // Setting a flag creates a companion with entry 9 only; clearing it removes the companion.
        QByteArray flagged(32, '\0');
        flagged[8] = '\x40';
        QVERIFY(tz::writeFinderInfo(path, flagged));
        tz::AppleDouble file;
        QCOMPARE(tz::readAppleDouble(path, &file), tz::AppleDoubleStatus::Ok);
        QCOMPARE(file.entries.size(), 1);
        QCOMPARE(file.entries.at(0).id, 9u);
        QCOMPARE(tz::readFinderInfo(path, &info), tz::AppleDoubleStatus::Ok);
        QCOMPARE(info, flagged);
        QVERIFY(tz::writeFinderInfo(path, QByteArray(32, '\0')));
        QVERIFY(!QFile::exists(at(u"._plain"_s)));

        QVERIFY(!tz::writeFinderInfo(path, QByteArray(31, '\0')));
        QVERIFY(!tz::writeFinderInfo(at(u"nothing here"_s), flagged));
        QVERIFY(!QFile::exists(at(u"._nothing here"_s)));
    }

    void rewriteKeepsUnknownEntriesOrderAndExtraFinderBytes()
    {
        const QString path = newFile(u"mac"_s);
        const HandMade made;
        QVERIFY(writeAll(at(u"._mac"_s), made.bytes()));
        QCOMPARE(tz::resourceForkSize(path), made.fork.size());

        QByteArray info;
        QCOMPARE(tz::readFinderInfo(path, &info), tz::AppleDoubleStatus::Ok);
        QCOMPARE(info, made.finderInfo.first(32));
        info[9] = '\x00'; // clear the invisible bit
        QVERIFY(tz::writeFinderInfo(path, info));

        tz::AppleDouble file;
        QCOMPARE(tz::readAppleDouble(path, &file), tz::AppleDoubleStatus::Ok);
        QCOMPARE(file.filler, QByteArray("Mac OS X        "));
        QCOMPARE(file.entries.size(), 3);
        QCOMPARE(file.entries.at(0).data, info + made.finderInfo.sliced(32));
        QCOMPARE(file.entries.at(1).data, made.comment);
        QCOMPARE(file.entries.at(2).data, made.fork);
    }

    void shortFinderInfoReadsZeroFilled()
    {
        const QString path = newFile(u"short"_s);
        tz::AppleDouble file;
        file.setEntry(9, "TEXT");
        QVERIFY(tz::writeAppleDouble(path, file));
        QByteArray info;
        QCOMPARE(tz::readFinderInfo(path, &info), tz::AppleDoubleStatus::Ok);
        QCOMPARE(info, QByteArray("TEXT") + QByteArray(28, '\0'));
    }

    void malformedCompanionIsNeverOverwritten()
    {
        const QString path = newFile(u"broken"_s);
        const QByteArray junk = "not an AppleDouble file at all";
        QVERIFY(writeAll(at(u"._broken"_s), junk));
        QByteArray info;
        QCOMPARE(tz::readFinderInfo(path, &info), tz::AppleDoubleStatus::Malformed);
        QCOMPARE(info, QByteArray(32, '\0'));
        QCOMPARE(tz::resourceForkSize(path), -1);
        QVERIFY(!tz::writeFinderInfo(path, QByteArray(32, '\x01')));
        QVERIFY(!tz::writeAppleDouble(path, tz::AppleDouble{}));
        QVERIFY(!tz::exchangeAppleDoubleCompanions(path, newFile(u"other"_s)));
        QCOMPARE(readAll(at(u"._broken"_s)), junk);
    }

    // A NUL would cut the path short in a system call and reach another item: refused.
    void pathsWithNulAreRefused()
    {
        const QString real = newFile(u"nul"_s);
        const QString cut = real + QChar(u'\0') + u"x"_s;
        QVERIFY(!tz::writeFinderInfo(cut, QByteArray(32, '\x01')));
        QVERIFY(!QFile::exists(at(u"._nul"_s)));
        QVERIFY(tz::writeFinderInfo(real, QByteArray(32, '\x01')));
        QVERIFY(!tz::moveAppleDoubleCompanion(real, at(u"other"_s) + QChar(u'\0')));
        QVERIFY(!tz::removeAppleDoubleCompanion(cut));
        QVERIFY(QFile::exists(at(u"._nul"_s)));
    }

    void companionsFollowTheirFiles()
    {
        const QString a = newFile(u"a"_s);
        const QString b = newFile(u"b"_s);
        const QString c = newFile(u"c"_s);
        const HandMade made;
        QVERIFY(writeAll(at(u"._a"_s), made.bytes()));

        QVERIFY(tz::copyAppleDoubleCompanion(a, b));
        QCOMPARE(readAll(at(u"._b"_s)), made.bytes());
        QVERIFY(tz::moveAppleDoubleCompanion(b, c));
        QVERIFY(!QFile::exists(at(u"._b"_s)));
        QCOMPARE(readAll(at(u"._c"_s)), made.bytes());
        // A file without companion moved over c leaves no stale companion behind.
        QVERIFY(tz::moveAppleDoubleCompanion(b, c));
        QVERIFY(!QFile::exists(at(u"._c"_s)));
        QVERIFY(tz::removeAppleDoubleCompanion(a));
        QVERIFY(!QFile::exists(at(u"._a"_s)));
        QVERIFY(tz::removeAppleDoubleCompanion(a));
        QVERIFY(tz::copyAppleDoubleCompanion(a, b));
        QVERIFY(tz::exchangeAppleDoubleCompanions(a, b));
        QVERIFY(!QFile::exists(at(u"._a"_s)) && !QFile::exists(at(u"._b"_s)));
    }

    void exchangeSwapsForksAndKeepsFinderInfo()
    {
        const QString a = newFile(u"xa"_s);
        const QString b = newFile(u"xb"_s);
        const HandMade made;
        QVERIFY(writeAll(at(u"._xa"_s), made.bytes()));
        QByteArray infoB(32, '\0');
        infoB[0] = 'B';
        QVERIFY(tz::writeFinderInfo(b, infoB));

        QVERIFY(tz::exchangeAppleDoubleCompanions(a, b));
        tz::AppleDouble fileA;
        tz::AppleDouble fileB;
        QCOMPARE(tz::readAppleDouble(a, &fileA), tz::AppleDoubleStatus::Ok);
        QCOMPARE(tz::readAppleDouble(b, &fileB), tz::AppleDoubleStatus::Ok);
        QVERIFY(fileA.entry(2).isNull());
        QCOMPARE(fileA.entry(9), made.finderInfo);
        QCOMPARE(fileA.entry(4), made.comment);
        QCOMPARE(fileB.entry(2), made.fork);
        QCOMPARE(fileB.entry(9), infoB);
        QCOMPARE(fileB.entries.last().id, 2u);

        // Back again: b had only Finder information and a fork, so it keeps the information.
        QVERIFY(tz::exchangeAppleDoubleCompanions(a, b));
        QCOMPARE(readAll(at(u"._xa"_s)), made.bytes());
        QCOMPARE(tz::readAppleDouble(b, &fileB), tz::AppleDoubleStatus::Ok);
        QCOMPARE(fileB.entries.size(), 1);
        QCOMPARE(fileB.entry(9), infoB);
    }
};

QTEST_GUILESS_MAIN(TestAppleDouble)
#include "tst_AppleDouble.moc"
