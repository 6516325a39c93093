#include "Foundation_Additions/NSString/TzNSStringByReplacingRangeWithString.h"
#include "Foundation_Additions/NSString/TzNSStringByReplacingSubstringWithString.h"
#include "Foundation_Additions/NSString/TzNSStringSubstringsFromRange.h"
#include "Foundation_Additions/NSString/TzNSStringVisibleControls.h"
#include "Foundation_Additions/NSString/TzNSStringWithoutCharactersFromSet.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The operations that take a range of the receiver, and substring replacement. Ranges beyond
// the receiver are clipped (run under the asan preset to see no read goes past the end).
class TestSubstringsFromRange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ranged_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<tz::Range>("range");
        QTest::addColumn<QStringList>("three");
        QTest::addColumn<QString>("replaced"); // range replaced by "#"
        QTest::addColumn<QString>("withoutDigits");

        QTest::newRow("middle") << u"ab1cd2ef"_s << tz::Range{2, 4} << QStringList{u"ab"_s, u"1cd2"_s, u"ef"_s}
                                << u"ab#ef"_s << u"cd"_s;
        QTest::newRow("to the end") << u"ab1c"_s << tz::Range{1, 3} << QStringList{u"a"_s, u"b1c"_s, u""_s} << u"a#"_s
                                    << u"bc"_s;
        QTest::newRow("empty range") << u"abc"_s << tz::Range{1, 0} << QStringList{u"a"_s, u""_s, u"bc"_s} << u"a#bc"_s
                                     << u""_s;
        QTest::newRow("past the end") << u"a1b"_s << tz::Range{1, 100} << QStringList{u"a"_s, u"1b"_s, u""_s} << u"a#"_s
                                      << u"b"_s;
        QTest::newRow("starting past the end")
            << u"ab"_s << tz::Range{5, 0xFFFFFFFF} << QStringList{u"ab"_s, u""_s, u""_s} << u"ab#"_s << u""_s;
        QTest::newRow("members only") << u"123"_s << tz::Range{0, 3} << QStringList{u""_s, u"123"_s, u""_s} << u"#"_s
                                      << u""_s;
    }
    void ranged()
    {
        QFETCH(QString, text);
        QFETCH(tz::Range, range);
        QFETCH(QStringList, three);
        QFETCH(QString, replaced);
        QFETCH(QString, withoutDigits);
        QCOMPARE(tz::substringsFromRange(text, range), three);
        QCOMPARE(tz::stringByReplacingRangeWithString(text, range, u"#"_s), replaced);
        const QString without =
            tz::stringWithoutCharactersFromSetRange(text, tz::CharacterSet::fromCharacters(u"0123456789"), range);
        QCOMPARE(without, withoutDigits);
        QVERIFY(!without.isNull());
    }

    void substringReplacement_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("result");

        QTest::newRow("every occurrence") << u"a-b-c"_s << u"-"_s << u"--"_s << u"a--b--c"_s;
        QTest::newRow("non-overlapping, left first") << u"aaa"_s << u"aa"_s << u"b"_s << u"ba"_s;
        QTest::newRow("literal case") << u"Aa"_s << u"a"_s << u"x"_s << u"Ax"_s;
        QTest::newRow("not found") << u"abc"_s << u"x"_s << u"y"_s << u"abc"_s;
        QTest::newRow("empty target") << u"abc"_s << u""_s << u"y"_s << u"abc"_s;
        QTest::newRow("removal") << u"a, b, c"_s << u", "_s << u""_s << u"abc"_s;
    }
    void substringReplacement()
    {
        QFETCH(QString, text);
        QFETCH(QString, target);
        QFETCH(QString, replacement);
        QFETCH(QString, result);
        QCOMPARE(tz::stringByReplacingSubstringWithString(text, target, replacement), result);
        QCOMPARE(tz::replaceSubStringWithString(text, target, replacement), result);
    }
};

QTEST_GUILESS_MAIN(TestSubstringsFromRange)
#include "tst_TzNSStringSubstringsFromRange.moc"
