#include "Foundation/Array.h"
#include "Foundation/PropertyList.h"
#include "Foundation/String.h"
#include "support/StdErrCapture.h"
#include "app/DeviceRows.h"
#include "app/DeviceSupportProfile.h"

#include <QTest>

namespace {

QStringList names(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

// A personality from test columns: a null text or an invalid variant leaves the key out.
tz::Id personality(const QString& vendor, const QVariant& alternates, const QString& product = {})
{
    QList<tz::Dictionary::Entry> entries;
    if (!vendor.isNull())
        entries.append({tz::str(TzDRDeviceVendorNameKey), tz::str(vendor)});
    if (alternates.typeId() == QMetaType::QStringList) {
        QList<tz::Id> names;
        for (const QString& name : alternates.toStringList())
            names.append(tz::str(name));
        entries.append({tz::str(DRDeviceAlternateVendorNamesKey), tz::Array::make(names)});
    } else if (alternates.isValid()) {
        entries.append({tz::str(DRDeviceAlternateVendorNamesKey), tz::str(alternates.toString())});
    }
    if (!product.isNull())
        entries.append({tz::str(TzDRDeviceProductNameKey), tz::str(product)});
    return tz::Dictionary::make(entries);
}

tz::Id entry(const tz::Id& personalities, const tz::Id& profile)
{
    QList<tz::Dictionary::Entry> entries;
    if (personalities)
        entries.append({tz::str(DRPersonalitiesKey), personalities});
    if (profile)
        entries.append({tz::str(DRDeviceProfileKey), profile});
    return tz::Dictionary::make(entries);
}

QStringList keysOf(const tz::Id& row)
{
    QStringList keys;
    for (const tz::Id& key : tz::as<tz::Dictionary>(row)->allKeys())
        keys.append(tz::textOf(key));
    return keys;
}

} // namespace

class tst_DeviceRows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void manufacturer_data();
    void manufacturer();
    void personalitiesGiveOneRowEach();
    void entriesWithoutRowsAndOtherRoots();
    void missingProductNameLeavesModelOutAndLogs();
};

void tst_DeviceRows::manufacturer_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("vendor");
    QTest::addColumn<QVariant>("alternates");
    QTest::addColumn<QString>("expected");

    const QString none;
    QTest::newRow("all four, actual vendor trimmed")
        << QStringLiteral("  Maker\t") << QStringLiteral("VEND") << QVariant(names({"Alt1", "Alt2"}))
        << QStringLiteral("Maker / VEND / Alt1 / Alt2");
    QTest::newRow("alternates joined, then trimmed as a whole")
        << none << none << QVariant(names({" A ", " B "})) << QStringLiteral("A  /  B");
    QTest::newRow("nothing but an empty vendor")
        << none << QStringLiteral("") << QVariant() << QStringLiteral("[UNKNOWN MANUFACTURER]");
    QTest::newRow("alternates as one string alone")
        << none << none << QVariant(QStringLiteral(" Alt Name ")) << QStringLiteral("Alt Name");
    QTest::newRow("actual vendor and an empty vendor")
        << QStringLiteral("Maker") << QStringLiteral("") << QVariant() << QStringLiteral("Maker");
    QTest::newRow("vendor alone") << none << QStringLiteral(" VEND ") << QVariant() << QStringLiteral("VEND");
    QTest::newRow("blank vendor counts as empty")
        << none << QStringLiteral("  ") << QVariant(QStringLiteral(" ")) << QStringLiteral("[UNKNOWN MANUFACTURER]");
    QTest::newRow("actual vendor and alternates")
        << QStringLiteral("Maker") << none << QVariant(names({"Alt"})) << QStringLiteral("Maker / Alt");
    QTest::newRow("empty alternates array")
        << none << QStringLiteral("VEND") << QVariant(names({})) << QStringLiteral("VEND");
}

void tst_DeviceRows::manufacturer()
{
    QFETCH(QString, actual);
    QFETCH(QString, vendor);
    QFETCH(QVariant, alternates);
    QFETCH(QString, expected);
    QCOMPARE(DeviceRows::manufacturerForPersonality(actual, personality(vendor, alternates)), expected);
}

void tst_DeviceRows::personalitiesGiveOneRowEach()
{
    const auto profileA = tz::Dictionary::make({{DRDeviceActualVendorNameKey, tz::str(QStringLiteral(" LG "))}});
    const auto profileB = tz::Dictionary::make();
    const auto root = tz::Array::make({
        entry(personality(QStringLiteral("HL-DT-ST"), {}, QStringLiteral("GH24NSD1")), profileA),
        entry(tz::Array::make({personality(QStringLiteral("ASUS"), {}, QStringLiteral("One")),
                               personality(QStringLiteral("ASUS"), {}, QStringLiteral("Two")),
                               personality({}, names({"Brand"}), QStringLiteral("Three"))}),
              profileB),
    });

    const QList<tz::Id> rows = DeviceRows::supportedRowsFromProfile(root);
    QCOMPARE(rows.size(), 4);
    QCOMPARE(keysOf(rows[0]), (QStringList{modelKey, manufacturerKey, infoKey}));

    const auto* first = tz::as<tz::Dictionary>(rows[0]);
    QCOMPARE(tz::textOf(first->objectForKey(modelKey)), QStringLiteral("GH24NSD1"));
    QCOMPARE(tz::textOf(first->objectForKey(manufacturerKey)), QStringLiteral("LG / HL-DT-ST"));
    QCOMPARE(first->objectForKey(infoKey), tz::Id(profileA));

    QStringList models;
    for (qsizetype i = 1; i < rows.size(); ++i) {
        const auto* row = tz::as<tz::Dictionary>(rows[i]);
        models.append(tz::textOf(row->objectForKey(modelKey)));
        QCOMPARE(row->objectForKey(infoKey), tz::Id(profileB)); // the same object, shared
    }
    QCOMPARE(models, (names({"One", "Two", "Three"})));
    QCOMPARE(tz::textOf(tz::as<tz::Dictionary>(rows[3])->objectForKey(manufacturerKey)), QStringLiteral("Brand"));
}

void tst_DeviceRows::entriesWithoutRowsAndOtherRoots()
{
    const auto profile = tz::Dictionary::make();
    const auto root = tz::Array::make({
        entry({}, profile),                                           // no personalities
        entry(tz::str(QStringLiteral("not a personality")), profile), // neither dictionary nor array
        entry(tz::Array::make(), profile),                            // no personality in the array
        tz::str(QStringLiteral("not an entry")),
        entry(personality(QStringLiteral("V"), {}, QStringLiteral("P")), {}), // no profile: row without INFO
    });
    StdErrCapture capture;
    const QList<tz::Id> rows = DeviceRows::supportedRowsFromProfile(root);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(keysOf(rows[0]), (QStringList{modelKey, manufacturerKey}));
    QVERIFY(capture.text().contains("for  key INFO"));

    QVERIFY(DeviceRows::supportedRowsFromProfile({}).isEmpty());
    QVERIFY(DeviceRows::supportedRowsFromProfile(profile).isEmpty());
    QVERIFY(DeviceRows::supportedRowsFromProfile(tz::str(QStringLiteral("text"))).isEmpty());
}

void tst_DeviceRows::missingProductNameLeavesModelOutAndLogs()
{
    const auto root = tz::Array::make({entry(personality(QStringLiteral("V"), {}), tz::Dictionary::make())});
    StdErrCapture capture;
    const QList<tz::Id> rows = DeviceRows::supportedRowsFromProfile(root);
    const QByteArray log = capture.text();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(keysOf(rows[0]), (QStringList{manufacturerKey, infoKey}));
    QCOMPARE(log.count("\n"), 1);
    QVERIFY2(log.contains("Attempt to set object (null) for  key MODEL"), log.constData());
}

QTEST_APPLESS_MAIN(tst_DeviceRows)
#include "tst_DeviceRows.moc"
