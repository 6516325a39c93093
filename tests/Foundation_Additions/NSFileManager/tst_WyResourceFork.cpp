#include "Foundation_Additions/NSFileManager/AppleDouble.h"
#include "Foundation_Additions/NSFileManager/HandMade.h"
#include "Foundation_Additions/NSFileManager/WyResourceFork.h"

#include "support/StdErrCapture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr quint32 typeTEXT = 0x54455854;

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

// The hand-made companion (Finder information, a comment) around a fork, all laid out by hand.
QByteArray companionWithFork(const QByteArray& fork)
{
    handmade::Companion companion;
    companion.fork = fork;
    return companion.bytes();
}

} // namespace

// Resource forks in real files of a temporary folder.
class TestWyResourceFork : public QObject
{
    Q_OBJECT

    QTemporaryDir _dir;
    int _serial = 0;
    QString at(const QString& name) const { return _dir.path() + u'/' + name; }
    // A fresh data file, with a companion when bytes are given.
    QString newFile(const QByteArray& companion = {})
    {
        const QString name = u"f%1"_s.arg(++_serial);
        if (!writeAll(at(name), "data") || (!companion.isNull() && !writeAll(at(u"._"_s + name), companion)))
            return {};
        return at(name);
    }

private Q_SLOTS:
    void readsAMacWrittenCompanion()
    {
        const QString path = newFile(companionWithFork(handmade::resourceFork()));
        const auto fork = tz::WyResourceFork::resourceForkForReadingAtPath(path);
        QVERIFY(fork);
        QVERIFY(fork->fileReference() > 0);
        QCOMPARE(fork->dataForTypeId(handmade::typeSTR, 128), QByteArray("\x05Hello"));
        QCOMPARE(fork->stringForTypeId(handmade::typeSTR, 128), u"Hello"_s);
        QCOMPARE(fork->stringForTypeId(handmade::typeSTR, -1), u""_s);
        QCOMPARE(fork->dataForTypeId(handmade::typeICN, 0), QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08"));
        QVERIFY(fork->dataForTypeId(handmade::typeICN, 1).isNull());
        QVERIFY(fork->stringForTypeId(typeTEXT, 1).isNull());

        const auto types = fork->resourceTypeEnumerator();
        QCOMPARE(types->numberOfTypes(), qint16(2));
        QCOMPARE(types->nextObject()->unsignedIntValue(), handmade::typeSTR);
        QCOMPARE(types->nextObject()->unsignedIntValue(), handmade::typeICN);
        QVERIFY(!types->nextObject());
        QVERIFY(!types->nextObject());
    }

    void writingCreatesTheFileWithAnEmptyFork()
    {
        const QString path = at(u"new file"_s);
        {
            const auto fork = tz::WyResourceFork::resourceForkForWritingAtPath(path);
            QVERIFY(fork);
            QVERIFY(QFile::exists(path));
            QCOMPARE(tz::resourceForkSize(path), 286);
            QVERIFY(!fork->resourceTypeEnumerator()->nextObject());
        }
        QCOMPARE(QFileInfo(path).size(), 0);
        tz::AppleDouble file;
        QCOMPARE(tz::readAppleDouble(path, &file), tz::AppleDoubleStatus::Ok);
        QCOMPARE(file.entries.size(), 1);
        tz::ResourceMap map;
        QVERIFY(tz::parseResourceMap(file.entry(2), &map));
        QVERIFY(map.types.isEmpty());
    }

    // Adding, replacing and removing, written when the fork closes, with the companion's other
    // entries, their order and the untouched resources' attributes kept.
    void changesAreWrittenOnClose()
    {
        const QString path = newFile(companionWithFork(handmade::resourceFork()));
        const QByteArray before = readAll(at(u"._"_s + QFileInfo(path).fileName()));
        {
            const auto fork = tz::WyResourceFork::resourceForkForWritingAtURL(QUrl::fromLocalFile(path));
            QVERIFY(fork); // the fork exists already: creation reports "already exists"
            QVERIFY(fork->addDataTypeIdName("first", typeTEXT, 7, u"Seven"_s));
            QVERIFY(fork->addDataTypeIdName("second", typeTEXT, 7, u"Seven"_s));
            QVERIFY(fork->addDataTypeIdName(QByteArray(), typeTEXT, 8, QString()));
            QVERIFY(fork->removeTypeId(handmade::typeSTR, -1));
            QVERIFY(fork->removeTypeId(handmade::typeSTR, 999)); // absent
            QCOMPARE(fork->dataForTypeId(typeTEXT, 7), QByteArray("second"));
            QCOMPARE(readAll(at(u"._"_s + QFileInfo(path).fileName())), before); // nothing written yet
            QVERIFY(fork->close());
            QCOMPARE(fork->fileReference(), qint16(0));
            QVERIFY(!fork->addDataTypeIdName("late", typeTEXT, 9, QString()));
            QVERIFY(fork->close());
        }
        tz::AppleDouble file;
        QCOMPARE(tz::readAppleDouble(path, &file), tz::AppleDoubleStatus::Ok);
        QCOMPARE(file.filler, QByteArray("Mac OS X        "));
        QCOMPARE(file.entries.size(), 3);
        QCOMPARE(file.entries.at(0).data, handmade::Companion().finderInfo);
        QCOMPARE(file.entries.at(1).data, handmade::Companion().comment);
        tz::ResourceMap map;
        QVERIFY(tz::parseResourceMap(file.entries.at(2).data, &map));
        QCOMPARE(map.types.size(), 3);
        QCOMPARE(map.types.at(0).resources.size(), 1);
        QCOMPARE(map.find(handmade::typeSTR, 128)->attributes, quint8(0x20));
        QCOMPARE(map.find(handmade::typeICN, 0)->attributes, quint8(0x08));
        QCOMPARE(map.reserved.mid(112, 4), QByteArray("app!"));
        QCOMPARE(map.types.at(2).type, typeTEXT);
        QCOMPARE(map.types.at(2).resources.size(), 2);
        QCOMPARE(map.find(typeTEXT, 7)->data, QByteArray("second"));
        QCOMPARE(map.find(typeTEXT, 7)->name, QByteArray("Seven"));
        QCOMPARE(map.find(typeTEXT, 7)->attributes, quint8(0));
        QVERIFY(map.find(typeTEXT, 8)->name.isNull());
        QVERIFY(map.find(typeTEXT, 8)->data.isEmpty());
    }

    void strings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("empty") << u""_s << true << QByteArray(1, '\0') << u""_s;
        QTest::newRow("ascii") << u"Hi there"_s << true << QByteArray("\x08Hi there") << u"Hi there"_s;
        QTest::newRow("one '?' per code unit outside ascii") << u"caf\u00E9 \U0001F600"_s << true
                                                             << QByteArray("\x07"
                                                                           "caf? ??")
                                                             << u"caf? ??"_s;
        QTest::newRow("255 code units") << QString(255, u'a') << true << QByteArray("\xff") + QByteArray(255, 'a')
                                        << QString(255, u'a');
        QTest::newRow("256 code units") << QString(256, u'a') << false << QByteArray() << QString();
    }
    void strings()
    {
        QFETCH(QString, text);
        QFETCH(bool, stored);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, readBack);
        const auto fork = tz::WyResourceFork::resourceForkForWritingAtPath(newFile());
        QVERIFY(fork);
        QCOMPARE(fork->addStringTypeIdName(text, typeTEXT, 1, u"name"_s), stored);
        QCOMPARE(fork->dataForTypeId(typeTEXT, 1), bytes);
        QCOMPARE(fork->stringForTypeId(typeTEXT, 1), readBack);
        QCOMPARE(fork->stringForTypeId(typeTEXT, 1).isNull(), !stored);
    }

    void stringLengthByteIsNotConsulted()
    {
        const auto fork = tz::WyResourceFork::resourceForkForWritingAtPath(newFile());
        QVERIFY(fork->addDataTypeIdName("\x02"
                                        "abcd",
                                        typeTEXT, 1, QString()));
        QCOMPARE(fork->stringForTypeId(typeTEXT, 1), u"abcd"_s);
        QVERIFY(fork->addDataTypeIdName("", typeTEXT, 2, QString()));
        QVERIFY(fork->stringForTypeId(typeTEXT, 2).isNull());
    }

    void refusedAtAddTime_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("name");
        QTest::newRow("data section of 16 MiB") << QByteArray((1 << 24) - 4, 'd') << QString();
        QTest::newRow("name of 256 bytes") << QByteArray("x") << QString(256, u'n');
        QTest::newRow("name outside latin-1") << QByteArray("x") << u"\u20AC"_s;
    }
    void refusedAtAddTime()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, name);
        const QString path = newFile();
        {
            const auto fork = tz::WyResourceFork::resourceForkForWritingAtPath(path);
            QVERIFY(fork->addDataTypeIdName("kept", typeTEXT, 1, QString()));
            QVERIFY(!fork->addDataTypeIdName(data, typeTEXT, 2, name));
            QVERIFY(!fork->addDataTypeIdName(data, typeTEXT, 1, name)); // a refused replacement keeps the old one
            QCOMPARE(fork->dataForTypeId(typeTEXT, 1), QByteArray("kept"));
            QVERIFY(fork->dataForTypeId(typeTEXT, 2).isNull());
            QVERIFY(fork->close());
        }
        const auto again = tz::WyResourceFork::resourceForkForReadingAtPath(path);
        QCOMPARE(again->dataForTypeId(typeTEXT, 1), QByteArray("kept"));
    }

    void tooManyResourcesForTheMap()
    {
        const auto fork = tz::WyResourceFork::resourceForkForWritingAtPath(newFile());
        qint16 id = 0;
        while (id < 6000 && fork->addDataTypeIdName("", typeTEXT, id, QString()))
            ++id;
        QCOMPARE(id, qint16(5458)); // (0xFFFF - 28 - 2 - 8) / 12 references
    }

    void readingForkChangesNothing()
    {
        const QByteArray companion = companionWithFork(handmade::resourceFork());
        const QString path = newFile(companion);
        {
            const auto fork = tz::WyResourceFork::resourceForkForReadingAtPath(path);
            QVERIFY(!fork->addDataTypeIdName("x", typeTEXT, 1, QString()));
            QVERIFY(!fork->removeTypeId(handmade::typeSTR, 128));
            QVERIFY(fork->removeTypeId(handmade::typeSTR, 5)); // nothing to remove
        }
        QCOMPARE(readAll(at(u"._"_s + QFileInfo(path).fileName())), companion);

        const QString plain = newFile();
        const auto fork = tz::WyResourceFork::initForReadingAtPath(plain);
        QVERIFY(fork); // no companion: an empty fork
        QVERIFY(!fork->resourceTypeEnumerator()->nextObject());
        QVERIFY(!QFile::exists(at(u"._"_s + QFileInfo(plain).fileName())));
    }

    void readOnlyMapAndProtectedResources()
    {
        const QByteArray companion = companionWithFork(handmade::resourceFork(tz::ResourceMap::readOnlyAttribute));
        const QString path = newFile(companion);
        {
            const auto fork = tz::WyResourceFork::resourceForkForWritingAtPath(path);
            QVERIFY(fork);
            QVERIFY(!fork->addDataTypeIdName("x", typeTEXT, 1, QString()));
            QVERIFY(!fork->removeTypeId(handmade::typeSTR, 128));
            QVERIFY(fork->close());
        }
        QCOMPARE(readAll(at(u"._"_s + QFileInfo(path).fileName())), companion);

        const auto fork =
            tz::WyResourceFork::resourceForkForWritingAtPath(newFile(companionWithFork(handmade::resourceFork())));
        QVERIFY(!fork->removeTypeId(handmade::typeICN, 0));
        QVERIFY(!fork->addDataTypeIdName("x", handmade::typeICN, 0, QString()));
        QCOMPARE(fork->dataForTypeId(handmade::typeICN, 0).size(), 8);
        QVERIFY(fork->removeTypeId(handmade::typeSTR, 128));
    }

    void openingFails_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("forWriting");
        QTest::newRow("reading a missing file") << at(u"missing"_s) << false;
        QTest::newRow("missing parent folder") << at(u"no folder/file"_s) << true;
        QTest::newRow("a folder") << _dir.path() << true;
        QTest::newRow("name over 1024 code units") << at(QString(1025, u'n')) << true;
        QTest::newRow("malformed companion, reading") << newFile("garbage") << false;
        QTest::newRow("malformed companion, writing") << newFile("garbage") << true;
        QByteArray cut = handmade::resourceFork();
        cut.chop(3);
        QTest::newRow("malformed fork, reading") << newFile(companionWithFork(cut)) << false;
        QTest::newRow("malformed fork, writing") << newFile(companionWithFork(cut)) << true;
    }
    void openingFails()
    {
        QFETCH(QString, path);
        QFETCH(bool, forWriting);
        const QString companion = tz::appleDoubleCompanionPath(path);
        const QByteArray before = readAll(companion);
        const auto fork = forWriting ? tz::WyResourceFork::initForWritingAtPath(path)
                                     : tz::WyResourceFork::initForReadingAtPath(path);
        QVERIFY(!fork);
        QCOMPARE(readAll(companion), before);
        QCOMPARE(QFile::exists(companion), !before.isNull());
    }

    void urlsThatAreNoFiles()
    {
        QVERIFY(!tz::WyResourceFork::resourceForkForReadingAtURL(QUrl(u"https://example.org/f"_s)));
        QVERIFY(!tz::WyResourceFork::initForWritingAtURL(QUrl()));
        QVERIFY(tz::WyResourceFork::initForPermissionAtURL(3, QUrl::fromLocalFile(at(u"by permission"_s))));
        QVERIFY(QFile::exists(at(u"by permission"_s))); // 3 has the write bit
    }

    // Two forks of one file see one map, so neither close loses the other's change.
    void forksOfOneFileShareTheirMap()
    {
        const QString path = newFile();
        auto first = tz::WyResourceFork::resourceForkForWritingAtPath(path);
        auto second = tz::WyResourceFork::resourceForkForWritingAtPath(
            QDir(_dir.path()).filePath(u"./"_s + QFileInfo(path).fileName()));
        QVERIFY(first && second);
        QVERIFY(first->fileReference() != second->fileReference());
        QVERIFY(first->addDataTypeIdName("one", typeTEXT, 1, QString()));
        QVERIFY(second->addDataTypeIdName("two", typeTEXT, 2, QString()));
        QCOMPARE(second->dataForTypeId(typeTEXT, 1), QByteArray("one"));
        QVERIFY(second->close());
        QVERIFY(first->close());
        const auto reader = tz::WyResourceFork::resourceForkForReadingAtPath(path);
        QCOMPARE(reader->dataForTypeId(typeTEXT, 1), QByteArray("one"));
        QCOMPARE(reader->dataForTypeId(typeTEXT, 2), QByteArray("two"));
    }

    void typeGoneDuringEnumeration()
    {
        const auto fork =
            tz::WyResourceFork::resourceForkForWritingAtPath(newFile(companionWithFork(handmade::resourceFork())));
        const auto types = fork->resourceTypeEnumerator();
        QCOMPARE(types->nextObject()->unsignedIntValue(), handmade::typeSTR);
        QVERIFY(fork->removeTypeId(handmade::typeSTR, 128));
        QVERIFY(fork->removeTypeId(handmade::typeSTR, -1));
        StdErrCapture capture;
        QVERIFY(!types->nextObject());
        QVERIFY(!types->nextObject());
        QCOMPARE(capture.lineCount(), 1);
        QVERIFY2(capture.text().endsWith("] Could not get type for resource 2\n"), capture.text().constData());
    }

    void closeReportsAFailedWrite()
    {
        const QString path = newFile();
        auto fork = tz::WyResourceFork::resourceForkForWritingAtPath(path);
        QVERIFY(fork->addDataTypeIdName("x", typeTEXT, 1, QString()));
        QVERIFY(QFile::remove(path)); // nothing left to carry a companion
        QVERIFY(!fork->close());
        QVERIFY(fork->close());
    }
};

QTEST_GUILESS_MAIN(TestWyResourceFork)
#include "tst_WyResourceFork.moc"
