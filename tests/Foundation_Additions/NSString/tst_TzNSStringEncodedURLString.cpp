#include "Foundation_Additions/NSString/TzNSStringEncodedURLString.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestEncodedURLString : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void escapingPercents_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("trailing %") << u"100%"_s << u"100%25"_s;
        QTest::newRow("% second-last") << u"a%4"_s << u"a%254"_s;
        QTest::newRow("escape kept") << u"a%41b"_s << u"a%41b"_s;
        QTest::newRow("lower-case escape kept") << u"%e9"_s << u"%e9"_s;
        QTest::newRow("not hex") << u"50%off"_s << u"50%25off"_s;
        QTest::newRow("% before an escape") << u"%%41"_s << u"%25%41"_s;
        QTest::newRow("only %") << u"%"_s << u"%25"_s;
        QTest::newRow("%% at the end") << u"x%%"_s << u"x%25%25"_s;
        QTest::newRow("no %") << u"plain"_s << u"plain"_s;
    }
    void escapingPercents()
    {
        QFETCH(QString, text);
        QFETCH(QString, escaped);
        text.detach(); // shared data of its own, not the literal's
        const QString result = tz::stringByEscapingPercents(text);
        QCOMPARE(result, escaped);
        if (escaped == text)
            QVERIFY(result.isSharedWith(text));
    }

    void encoded_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("encoded"); // null: none
        QTest::newRow("raw and escaped space alike") << u"a b%20c"_s << u"a%20b%20c"_s;
        QTest::newRow("escaped safe character decoded") << u"%41%7e"_s << u"A~"_s;
        QTest::newRow("raw non-ASCII") << u"caf\u00e9"_s << u"caf%C3%A9"_s;
        QTest::newRow("escaped non-ASCII, lower case") << u"caf%c3%a9"_s << u"caf%C3%A9"_s;
        QTest::newRow("outside the BMP") << u"\U0001F600"_s << u"%F0%9F%98%80"_s;
        QTest::newRow("stray %") << u"100% sure"_s << u"100%25%20sure"_s;
        QTest::newRow("escaped %") << u"100%25"_s << u"100%25"_s;
        QTest::newRow("excluded ASCII") << u"<>#%\"{}|\\^[]`"_s << u"%3C%3E%23%25%22%7B%7D%7C%5C%5E%5B%5D%60"_s;
        QTest::newRow("controls") << (u"\t\n\x7f"_s + QChar(u'\0')) << u"%09%0A%7F%00"_s;
        QTest::newRow("escaped NUL") << u"%00"_s << u"%00"_s;
        QTest::newRow("reserved and unreserved kept")
            << u"http://u:p@h/a;b?c=d&e+f$g,h-_.!~*'()"_s << u"http://u:p@h/a;b?c=d&e+f$g,h-_.!~*'()"_s;
        QTest::newRow("empty") << u""_s << u""_s;
        QTest::newRow("escapes not UTF-8") << u"a%FFb"_s << QString();
        QTest::newRow("escapes cut in a character") << u"%C3x"_s << QString();
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QString();
    }
    void encoded()
    {
        QFETCH(QString, text);
        QFETCH(QString, encoded);
        const QString result = tz::encodedURLString(text);
        QCOMPARE(result.isNull(), encoded.isNull());
        QCOMPARE(result, encoded);
        // Uniform: encoding again changes nothing.
        if (!result.isNull())
            QCOMPARE(tz::encodedURLString(result), result);
    }
};

QTEST_GUILESS_MAIN(TestEncodedURLString)
#include "tst_TzNSStringEncodedURLString.moc"
