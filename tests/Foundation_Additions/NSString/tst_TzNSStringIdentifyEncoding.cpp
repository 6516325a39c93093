#include "Foundation_Additions/NSString/TzNSStringIdentifyEncoding.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestIdentifyEncoding : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hexadecimal_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hex");

        QTest::newRow("one digit") << u"a"_s << false;
        QTest::newRow("blank separated") << u"ab cd"_s << true;
        QTest::newRow("odd count") << u"abc"_s << true;
        QTest::newRow("prefix 0x") << u"0x12"_s << false;
        QTest::newRow("one digit among blanks") << u" a \n"_s << false;
        QTest::newRow("upper case") << u"DEADBEEF"_s << true;
    }
    void hexadecimal()
    {
        QFETCH(QString, text);
        QFETCH(bool, hex);
        QCOMPARE(tz::isHexadecimalEncoding(text), hex);
    }

    void base64_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("base64");

        QTest::newRow("four letters") << u"QUJD"_s << true;
        QTest::newRow("three") << u"QUJ"_s << false;
        QTest::newRow("blank inside") << u"QU JD"_s << true;
        QTest::newRow("foreign character") << u"QUJD!"_s << false;
        QTest::newRow("padding anywhere") << u"=A=B"_s << true;
        QTest::newRow("blanks only") << u"    "_s << true;
        QTest::newRow("not a multiple of four") << u"QUJDQ"_s << false;
    }
    void base64()
    {
        QFETCH(QString, text);
        QFETCH(bool, base64);
        QCOMPARE(tz::isBase64Encoding(text), base64);
    }
};

QTEST_GUILESS_MAIN(TestIdentifyEncoding)
#include "tst_TzNSStringIdentifyEncoding.moc"
