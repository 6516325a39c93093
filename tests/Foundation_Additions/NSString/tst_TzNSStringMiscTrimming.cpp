#include "Foundation_Additions/NSString/TzNSStringMiscTrimming.h"

#include <QTest>

using namespace Qt::StringLiterals;

using tz::CharacterSet;

class TestMiscTrimming : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void whiteSpaces_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("lead");
        QTest::addColumn<QString>("tail");
        QTest::addColumn<QString>("both");

        QTest::newRow("empty") << u""_s << u""_s << u""_s << u""_s;
        QTest::newRow("only blanks") << u" \t\n\r\u2028\u00A0"_s << u""_s << u""_s << u""_s;
        QTest::newRow("untouched") << u"a b"_s << u"a b"_s << u"a b"_s << u"a b"_s;
        QTest::newRow("both ends") << u"\n  a b \t"_s << u"a b \t"_s << u"\n  a b"_s << u"a b"_s;
        QTest::newRow("NEL and paragraph separator") << u"\u0085x\u2029"_s << u"x\u2029"_s << u"\u0085x"_s << u"x"_s;
        QTest::newRow("control is not white space") << u"\u0001x "_s << u"\u0001x "_s << u"\u0001x"_s << u"\u0001x"_s;
    }
    void whiteSpaces()
    {
        QFETCH(QString, text);
        QFETCH(QString, lead);
        QFETCH(QString, tail);
        QFETCH(QString, both);
        QCOMPARE(tz::stringByTrimmingLeadWhiteSpaces(text), lead);
        QCOMPARE(tz::stringByTrimmingTailWhiteSpaces(text), tail);
        QCOMPARE(tz::stringByTrimmingWhiteSpaces(text), both);
        QVERIFY(!tz::stringByTrimmingWhiteSpaces(text).isNull());
    }

    void untrimmedTextIsTheReceiverItself()
    {
        const QString text = QString::number(12345);
        QCOMPARE(tz::stringByTrimmingWhiteSpaces(text).constData(), text.constData());
    }

    void ownSet()
    {
        const CharacterSet xs = CharacterSet::fromCharacters(u"x");
        QCOMPARE(tz::stringByTrimmingMembersOfCharacterSet(u"xxaxbxx"_s, xs), u"axb"_s);
        QCOMPARE(tz::stringByTrimmingLeadMembersOfCharacterSet(u"xxx"_s, xs), u""_s);
    }

    void membership_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("onlyDigits");
        QTest::addColumn<qsizetype>("digits");

        QTest::newRow("empty") << u""_s << true << qsizetype(0);
        QTest::newRow("three among others") << u"a1b2c3d"_s << false << qsizetype(3);
        QTest::newRow("all members") << u"42"_s << true << qsizetype(2);
        QTest::newRow("member last") << u"abc9"_s << false << qsizetype(1);
    }
    void membership()
    {
        QFETCH(QString, text);
        QFETCH(bool, onlyDigits);
        QFETCH(qsizetype, digits);
        const CharacterSet set = CharacterSet::fromCharacters(u"0123456789");
        QCOMPARE(tz::containsOnlyCharactersFromSet(text, set), onlyDigits);
        QCOMPARE(tz::countOfCharactersFromSet(text, set), digits);
    }
};

QTEST_GUILESS_MAIN(TestMiscTrimming)
#include "tst_TzNSStringMiscTrimming.moc"
