#include "app/AttributesFormatter.h"
#include "app/DRTrack.h"

#include "Foundation/Array.h"
#include "Foundation/Data.h"
#include "Foundation/Date.h"
#include "Foundation/Number.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSAttributedString/AttributedStringTextDocument.h"
#include "Foundation_Additions/NSAttributedString/TzNSColorIsEqualToColor.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTest>
#include <QTextDocument>

Q_DECLARE_METATYPE(tz::DictionaryPtr)

using tz::Dictionary;

namespace {

// The texts of the runs styled as key names; every other run must carry no attributes.
QStringList keyNamesIn(const tz::AttributedString& text)
{
    QStringList names;
    for (qsizetype i = 0; i < text.runs().size(); ++i) {
        const tz::Attributes& attributes = text.runs()[i].attributes;
        const tz::Range range = text.rangeOfRun(i);
        if (attributes == AttributesFormatter::keyAttributes())
            names.append(text.string().sliced(range.location, range.length));
        else if (!attributes.isEmpty())
            names.append(QStringLiteral("<unexpected style>"));
    }
    return names;
}

} // namespace

class tst_AttributesFormatter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keyNamesTakeThePalettesLinkColour()
    {
        const QPalette original = QGuiApplication::palette();
        const auto keyColour = [] {
            const tz::Attributes attributes = AttributesFormatter::keyAttributes();
            return attributes.size() == 1 ? attributes.value(tz::ForegroundColorAttributeName).value<QColor>()
                                          : QColor();
        };
        QPalette light = original;
        light.setColor(QPalette::Link, QColor(0, 0, 255));
        QGuiApplication::setPalette(light);
        QVERIFY(tz::isEqualToColor(keyColour(), QColor(0, 0, 255)));

        // A dark theme's light link colour, in the next text made.
        QPalette dark = original;
        dark.setColor(QPalette::Link, QColor(0x8a, 0xb4, 0xf8));
        QGuiApplication::setPalette(dark);
        QVERIFY(tz::isEqualToColor(keyColour(), QColor(0x8a, 0xb4, 0xf8)));
        const tz::AttributedString text = AttributesFormatter::stringFromAttributesDict(
            Dictionary::make({{QStringLiteral("DRDeviceVendorNameKey"), tz::str(QStringLiteral("Acme"))}}));
        QCOMPARE(text.attributesAtIndex(0).value(tz::ForegroundColorAttributeName).value<QColor>(),
                 QColor(0x8a, 0xb4, 0xf8));
        QGuiApplication::setPalette(original);
    }

    void format_data()
    {
        QTest::addColumn<tz::DictionaryPtr>("dict");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("keyNames");

        const auto s = [](const char* text) { return tz::str(QString::fromUtf8(text)); };
        const QString none = QStringLiteral("[No Data Available]");

        QTest::newRow("nil") << tz::DictionaryPtr() << none << QStringList();
        QTest::newRow("empty") << Dictionary::make() << none << QStringList();

        // Key names: common prefix with "DRDevice" deleted, then a final "Key" cut.
        QTest::newRow("service key and enumerated value")
            << Dictionary::make({{QStringLiteral("DRDeviceSupportLevelKey"), s("DRDeviceSupportLevelSupported")}})
            << QStringLiteral("SupportLevel: Supported\n") << QStringList{QStringLiteral("SupportLevel")};
        QTest::newRow("key not beginning with D")
            << Dictionary::make({{QStringLiteral("VendorName"), s("Acme")}}) << QStringLiteral("VendorName: Acme\n")
            << QStringList{QStringLiteral("VendorName")};
        QTest::newRow("key beginning with D only")
            << Dictionary::make({{QStringLiteral("DiscNameKey"), s("Backup")}}) << QStringLiteral("iscName: Backup\n")
            << QStringList{QStringLiteral("iscName")};
        QTest::newRow("key beginning with DR only")
            << Dictionary::make({{QStringLiteral("DRTrackLengthKey"), s("300")}})
            << QStringLiteral("TrackLength: 300\n") << QStringList{QStringLiteral("TrackLength")};
        QTest::newRow("lower-case key suffix kept")
            << Dictionary::make({{QStringLiteral("Passkey"), s("x")}}) << QStringLiteral("Passkey: x\n")
            << QStringList{QStringLiteral("Passkey")};
        QTest::newRow("non-string key: description, value untouched")
            << Dictionary::make(QList<Dictionary::Entry>{{tz::num(7), s("7up")}}) << QStringLiteral("7: 7up\n")
            << QStringList{QStringLiteral("7")};

        // Values lose their key's stem (the key without "Key") only when they begin with all of it.
        const auto valueRow = [&](const char* name, const char* key, const char* value, const char* line) {
            const QString keyText = QString::fromUtf8(key);
            QString keyName = keyText.startsWith(QStringLiteral("DRDevice")) ? keyText.sliced(8) : keyText;
            if (keyName.endsWith(QStringLiteral("Key")))
                keyName.chop(3);
            QTest::newRow(name) << Dictionary::make({{keyText, s(value)}}) << QString::fromUtf8(line)
                                << QStringList{keyName};
        };
        valueRow("interconnect constant", "DRDevicePhysicalInterconnectKey", "DRDevicePhysicalInterconnectUSB",
                 "PhysicalInterconnect: USB\n");
        valueRow("media state constant", "DRDeviceMediaStateKey", "DRDeviceMediaStateBlank", "MediaState: Blank\n");
        valueRow("support level constant", "DRDeviceSupportLevelKey", "DRDeviceSupportLevelUnsupported",
                 "SupportLevel: Unsupported\n");
        valueRow("value equal to the stem", "DRDeviceMediaStateKey", "DRDeviceMediaState", "MediaState: \n");
        valueRow("key without suffix: the whole key is the stem", "VendorName", "VendorNameAcme", "VendorName: Acme\n");
        valueRow("product sharing D with key", "DRDeviceProductNameKey", "DVDRAM GH24NSD1",
                 "ProductName: DVDRAM GH24NSD1\n");
        valueRow("vendor sharing D with key", "DRDeviceVendorNameKey", "Dell", "VendorName: Dell\n");
        valueRow("model sharing D with key", "DRDeviceProductNameKey", "DVR-103", "ProductName: DVR-103\n");
        valueRow("media name sharing D with key", "DRDeviceMediaTypeKey", "DVD+-RW", "MediaType: DVD+-RW\n");
        valueRow("value equal to the service prefix", "DRDeviceVendorNameKey", "DRDevice", "VendorName: DRDevice\n");
        valueRow("stem of another key", "DRDeviceVendorNameKey", "DRDeviceMediaStateBlank",
                 "VendorName: DRDeviceMediaStateBlank\n");
        valueRow("free text sharing first letters", "Model", "MX-1", "Model: MX-1\n");
        QTest::newRow("boolean text sharing first letters")
            << Dictionary::make({{QStringLiteral("Nope"), tz::boolean(false)}}) << QStringLiteral("Nope: NO\n")
            << QStringList{QStringLiteral("Nope")};

        QTest::newRow("booleans and numbers")
            << Dictionary::make({{QStringLiteral("DRDeviceIsTrayOpenKey"), tz::boolean(true)},
                                 {QStringLiteral("DRDeviceMediaIsMountedKey"), tz::boolean(false)},
                                 {QStringLiteral("DRDeviceMediaSessionCountKey"), tz::num(0)},
                                 {QStringLiteral("Ratio"), tz::num(2.5)}})
            << QStringLiteral("IsTrayOpen: YES\nMediaIsMounted: NO\nMediaSessionCount: 0\nRatio: 2.5\n")
            << QStringList{QStringLiteral("IsTrayOpen"), QStringLiteral("MediaIsMounted"),
                           QStringLiteral("MediaSessionCount"), QStringLiteral("Ratio")};

        QTest::newRow("nested dictionary in place")
            << Dictionary::make({{QStringLiteral("A"), s("1")},
                                 {QStringLiteral("Inner"), Dictionary::make({{QStringLiteral("B"), s("2")}})},
                                 {QStringLiteral("C"), s("3")}})
            << QStringLiteral("A: 1\nB: 2\nC: 3\n")
            << QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
        QTest::newRow("empty nested dictionary runs on")
            << Dictionary::make({{QStringLiteral("A"), s("1")},
                                 {QStringLiteral("Inner"), Dictionary::make()},
                                 {QStringLiteral("C"), s("3")}})
            << QStringLiteral("A: 1\n[No Data Available]C: 3\n")
            << QStringList{QStringLiteral("A"), QStringLiteral("C")};

        QTest::newRow("date") << Dictionary::make({{QStringLiteral("When"), tz::Date::make(0)}})
                              << QStringLiteral(
                                     "When: Object of Class: NSDate, description: 1970-01-01 00:00:00 +0000\n")
                              << QStringList{QStringLiteral("When")};
        QTest::newRow("data") << Dictionary::make(
            {{QStringLiteral("Bytes"), tz::Data::make(QByteArrayLiteral("\x01\x02"))}})
                              << QStringLiteral("Bytes: Object of Class: NSData, description: <0102>\n")
                              << QStringList{QStringLiteral("Bytes")};
        QTest::newRow("array") << Dictionary::make({{QStringLiteral("List"), tz::Array::make({s("a"), s("b")})}})
                               << QStringLiteral("List: (\n    a,\n    b\n)\n") << QStringList{QStringLiteral("List")};
        QTest::newRow("track value")
            << Dictionary::make({{QStringLiteral("Track"), std::make_shared<const DRTrack>(Dictionary::make())}})
            << QStringLiteral(
                   "Track: Object of Class: DRTrack, description: DRTrack; Properties: [No Data Available]\n")
            << QStringList{QStringLiteral("Track")};

        QTest::newRow("bad line names the whole key, later keys go on")
            << Dictionary::make({{QStringLiteral("DRDeviceVendorNameKey"), tz::str(QString())},
                                 {QStringLiteral("DRDeviceProductNameKey"), s("Writer")}})
            << QStringLiteral("BAD LINE FOR KEY DRDeviceVendorNameKey\nProductName: Writer\n")
            << QStringList{QStringLiteral("ProductName")};
    }

    void format()
    {
        QFETCH(tz::DictionaryPtr, dict);
        QFETCH(QString, text);
        QFETCH(QStringList, keyNames);

        const tz::AttributedString result = AttributesFormatter::stringFromAttributesDict(dict);
        QCOMPARE(result.string(), text);
        QCOMPARE(keyNamesIn(result), keyNames);

        // The details pane shows the same characters.
        QTextDocument document;
        tz::replaceDocumentContents(document, result);
        QCOMPARE(document.toPlainText(), text);
    }

    void trackDescription()
    {
        const DRTrack track(Dictionary::make({{QStringLiteral("DRTrackLengthKey"), tz::num(300)},
                                              {QStringLiteral("DRDeviceIsTrayOpenKey"), tz::boolean(true)}}));
        QCOMPARE(track.description(), QStringLiteral("DRTrack; Properties: TrackLength: 300\nIsTrayOpen: YES\n"));
        QCOMPARE(DRTrack(nullptr).description(), QStringLiteral("DRTrack; Properties: [No Data Available]"));
    }
};

QTEST_MAIN(tst_AttributesFormatter)
#include "tst_AttributesFormatter.moc"
