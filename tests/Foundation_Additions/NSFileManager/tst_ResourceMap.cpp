#include "Foundation_Additions/NSFileManager/HandMade.h"
#include "Foundation_Additions/NSFileManager/ResourceMap.h"

#include <QTest>

using handmade::be16;
using handmade::be32;

// The resource-map format against a fork written by hand from its published layout.
class TestResourceMap : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsAHandMadeFork()
    {
        tz::ResourceMap map;
        QVERIFY(tz::parseResourceMap(handmade::resourceFork(0x0040), &map));
        QCOMPARE(map.attributes, quint16(0x0040));
        QCOMPARE(map.reserved.size(), 240);
        QCOMPARE(map.reserved.mid(112, 4), QByteArray("app!"));
        QCOMPARE(map.types.size(), 2);
        QCOMPARE(map.types.at(0).type, handmade::typeSTR);
        QCOMPARE(map.types.at(1).type, handmade::typeICN);

        const tz::Resource* greeting = map.find(handmade::typeSTR, 128);
        QVERIFY(greeting);
        QCOMPARE(greeting->name, QByteArray("Greeting"));
        QCOMPARE(greeting->attributes, quint8(0x20));
        QCOMPARE(greeting->data, QByteArray("\x05Hello"));
        const tz::Resource* unnamed = map.find(handmade::typeSTR, -1);
        QVERIFY(unnamed);
        QVERIFY(unnamed->name.isNull());
        QCOMPARE(unnamed->data, QByteArray(1, '\0'));
        const tz::Resource* icon = map.find(handmade::typeICN, 0);
        QVERIFY(icon);
        QCOMPARE(icon->name, QByteArray("Icon"));
        QCOMPARE(icon->attributes, quint8(0x08));
        QCOMPARE(icon->data, QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08"));
        QVERIFY(!map.find(handmade::typeICN, 1));
        QVERIFY(!map.find(0x54455854, 128));
    }

    // Our writer lays the same map out exactly as the hand-made fork: every header field, the
    // data section, type list, reference lists and names.
    void writerMatchesThePublishedLayout()
    {
        tz::ResourceMap map;
        QVERIFY(tz::parseResourceMap(handmade::resourceFork(), &map));
        QCOMPARE(tz::serializeResourceMap(map), handmade::resourceFork());
    }

    void emptyFork()
    {
        tz::ResourceMap map;
        QVERIFY(tz::parseResourceMap(QByteArray(), &map));
        QVERIFY(map.types.isEmpty());
        const QByteArray bytes = tz::serializeResourceMap(map);
        const QByteArray header = be32(256) + be32(256) + be32(0) + be32(30);
        QCOMPARE(bytes,
                 header + QByteArray(240, '\0') + header + be32(0) + be16(0) + be16(0) + be16(28) + be16(30)
                     + be16(0xFFFF));
        QVERIFY(tz::parseResourceMap(bytes, &map));
        QVERIFY(map.types.isEmpty());
    }

    void malformed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = handmade::resourceFork();
        const qsizetype map = 283;
        const auto patched = [&good](qsizetype at, const QByteArray& with) {
            QByteArray bytes = good;
            bytes.replace(at, with.size(), with);
            return bytes;
        };
        QTest::newRow("header cut") << good.first(15);
        QTest::newRow("map cut") << good.chopped(1);
        QTest::newRow("data beyond the file") << patched(8, be32(5000));
        QTest::newRow("map shorter than its fixed part") << patched(12, be32(20));
        QTest::newRow("type list beyond the map") << patched(map + 24, be16(95));
        QTest::newRow("more types than the map holds") << patched(map + 28, be16(40));
        QTest::newRow("reference list beyond the map") << patched(map + 28 + 2 + 6, be16(90));
        QTest::newRow("resource data beyond its section") << patched(map + 46 + 5, QByteArray("\x00\x00\x18", 3));
        QTest::newRow("resource length beyond its section") << patched(256, be32(600));
        QTest::newRow("name beyond the map") << patched(map + 46 + 2, be16(40));
        QTest::newRow("name length beyond the map") << patched(map + 82, QByteArray("\x7f"));
        QTest::newRow("two resources under one key") << patched(map + 46 + 12, be16(128));
        QTest::newRow("overlapping data") << patched(map + 46 + 12 + 5, QByteArray("\x00\x00\x00", 3));
        // Both types name the same reference list: a loop over shared entries, refused.
        QTest::newRow("types sharing a reference list") << patched(map + 28 + 2 + 8 + 4, be16(1) + be16(18));
        QTest::newRow("wrapping offsets") << patched(0, be32(0xFFFFFFF0) + be32(283) + be32(0x20));
    }
    void malformed()
    {
        QFETCH(QByteArray, bytes);
        tz::ResourceMap map;
        map.types.append(tz::ResourceType{1, {}});
        QVERIFY(!tz::parseResourceMap(bytes, &map));
        QVERIFY(map.types.isEmpty());
    }

    void editingKeepsOrder()
    {
        tz::ResourceMap map;
        QVERIFY(tz::parseResourceMap(handmade::resourceFork(), &map));
        map.insert(handmade::typeSTR, tz::Resource{128, {}, 0, "new"});
        map.insert(0x54455854, tz::Resource{5, "t", 0, "text"});
        QCOMPARE(map.types.size(), 3);
        QCOMPARE(map.types.at(0).resources.at(0).data, QByteArray("new"));
        QCOMPARE(map.types.at(2).type, 0x54455854u);
        QVERIFY(map.remove(handmade::typeICN, 0));
        QVERIFY(!map.remove(handmade::typeICN, 0));
        QCOMPARE(map.types.size(), 2);
        QCOMPARE(map.types.at(1).type, 0x54455854u);

        tz::ResourceMap back;
        QVERIFY(tz::parseResourceMap(tz::serializeResourceMap(map), &back));
        QCOMPARE(back.types.size(), 2);
        QCOMPARE(back.find(0x54455854, 5)->name, QByteArray("t"));
        QCOMPARE(back.find(handmade::typeSTR, 128)->data, QByteArray("new"));
        QCOMPARE(back.find(handmade::typeSTR, -1)->data, QByteArray(1, '\0'));
    }

    void limits_data()
    {
        QTest::addColumn<int>("dataSize");
        QTest::addColumn<int>("resources");
        QTest::addColumn<bool>("named");
        QTest::addColumn<bool>("fits");
        // data section: 4 + dataSize per resource, under 16 MiB
        QTest::newRow("data just under 16 MiB") << (1 << 24) - 5 << 1 << false << true;
        QTest::newRow("data of 16 MiB") << (1 << 24) - 4 << 1 << false << false;
        // name list offset: 28 + 2 + 8 + 12 * resources, within 16 bits
        QTest::newRow("5458 references") << 0 << 5458 << false << true;
        QTest::newRow("5459 references") << 0 << 5459 << false << false;
        // names of 255 bytes (256 with the length byte): the 256th starts at 0xFF00, the 257th at 0x10000
        QTest::newRow("256 long names") << 0 << 256 << true << true;
        QTest::newRow("257 long names") << 0 << 257 << true << false;
    }
    void limits()
    {
        QFETCH(int, dataSize);
        QFETCH(int, resources);
        QFETCH(bool, named);
        QFETCH(bool, fits);
        tz::ResourceMap map;
        for (int i = 0; i < resources; ++i)
            map.insert(
                1, tz::Resource{qint16(i), named ? QByteArray(255, 'n') : QByteArray(), 0, QByteArray(dataSize, 'd')});
        QCOMPARE(map.fitsFormat(), fits);
        if (!fits || dataSize > 0)
            return;
        tz::ResourceMap back;
        QVERIFY(tz::parseResourceMap(tz::serializeResourceMap(map), &back));
        QCOMPARE(back.types.at(0).resources.size(), resources);
        QCOMPARE(back.find(1, qint16(resources - 1))->name, map.find(1, qint16(resources - 1))->name);
    }
};

QTEST_GUILESS_MAIN(TestResourceMap)
#include "tst_ResourceMap.moc"
