#include "Foundation_Additions/NSString/TzNSStringOSTypeFromString.h"
#include "Foundation_Additions/NSString/TzNSStringPascalString.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The fixed-size byte forms of short texts: Pascal strings and four-character type codes.
class TestPascalString : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pascal_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fits");

        QTest::newRow("empty") << u""_s << true;
        QTest::newRow("latin-1") << u"Caf\u00E9 \u00FF"_s << true;
        QTest::newRow("255 units") << QString(255, u'x') << true;
        QTest::newRow("256 units") << QString(256, u'x') << false;
        QTest::newRow("beyond latin-1") << u"\u20AC"_s << false;
    }
    void pascal()
    {
        QFETCH(QString, text);
        QFETCH(bool, fits);
        const QByteArray buffer = tz::pascalString(text);
        QCOMPARE(!buffer.isNull(), fits);
        if (!fits)
            return;
        QCOMPARE(buffer.size(), 256);
        QCOMPARE(quint8(buffer.at(0)), quint8(text.size()));
        QCOMPARE(tz::stringWithPascalString(buffer), text);
    }

    void pascalLengthBeyondTheBufferIsCut()
    {
        const QByteArray shortBuffer("\x09"
                                     "abc",
                                     4);
        QCOMPARE(tz::stringWithPascalString(shortBuffer), u"abc"_s);
        QVERIFY(tz::stringWithPascalString(QByteArray()).isNull());
    }

    void osType_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("code");

        QTest::newRow("TEXT") << u"TEXT"_s << quint32(0x54455854);
        QTest::newRow("trailing space") << u"ttx "_s << quint32(0x74747820);
        QTest::newRow("Mac OS Roman bytes") << u"\u00C4\u2020\u20AC\u02C7"_s << quint32(0x80A0DBFF);
        QTest::newRow("too short") << u"abc"_s << quint32(0);
        QTest::newRow("too long") << u"abcde"_s << quint32(0);
        QTest::newRow("not in Mac OS Roman") << u"ab\u0100c"_s << quint32(0);
    }
    void osType()
    {
        QFETCH(QString, text);
        QFETCH(quint32, code);
        QCOMPARE(tz::OSTypeFromString(text), code);
        if (code != 0)
            QCOMPARE(tz::stringWithOSType(code), text);
    }

    void everyByteRoundTrips()
    {
        for (quint32 byte = 1; byte < 256; ++byte) {
            const quint32 code = (byte << 24) | (byte << 16) | (byte << 8) | byte;
            QCOMPARE(tz::OSTypeFromString(tz::stringWithOSType(code)), code);
        }
        QCOMPARE(tz::stringWithOSType(0), u""_s);
    }
};

QTEST_GUILESS_MAIN(TestPascalString)
#include "tst_TzNSStringPascalString.moc"
