#include "Foundation/CanonicalText.h"
#include "Foundation/StringSearch.h"
#include "Foundation_Additions/NSString/TzNSStringContains.h"
#include "Foundation_Additions/NSString/TzNSStringRangesInCommon.h"
#include "Foundation_Additions/NSString/TzNSStringRangesOfString.h"

#include "support/RangeText.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString eAcute = u"\u00E9"_s;      // é, one code unit
const QString eCombining = u"e\u0301"_s; // e + COMBINING ACUTE ACCENT
const QString aRing = u"\u00C5"_s;       // Å
const QString aCombining = u"A\u030A"_s; // A + COMBINING RING ABOVE
const QString angstrom = u"\u212B"_s;    // ANGSTROM SIGN
} // namespace

class TestStringSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Default (non-literal) searches compare canonically; the literal bit compares code units.
    void search_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("target");
        QTest::addColumn<uint>("options");
        QTest::addColumn<QString>("found");

        const uint none = 0;
        const uint literal = tz::LiteralSearch;
        QTest::newRow("precomposed text, decomposed target") << u"caf"_s + eAcute << eCombining << none << u"{3, 1}"_s;
        QTest::newRow("decomposed text, precomposed target") << u"caf"_s + eCombining << eAcute << none << u"{3, 2}"_s;
        QTest::newRow("literal keeps them apart") << u"caf"_s + eAcute << eCombining << literal << u"{2147483647, 0}"_s;
        QTest::newRow("ring above and angstrom sign") << u"x"_s + angstrom + u"y"_s << aRing << none << u"{1, 1}"_s;
        QTest::newRow("combining ring and angstrom") << aCombining << angstrom << none << u"{0, 2}"_s;
        QTest::newRow("base letter alone is not the accented one")
            << eCombining << u"e"_s << none << u"{2147483647, 0}"_s;
        QTest::newRow("base letter alone, precomposed") << eAcute << u"e"_s << none << u"{2147483647, 0}"_s;
        QTest::newRow("literal finds the base letter") << eCombining << u"e"_s << literal << u"{0, 1}"_s;
        QTest::newRow("case ignored and canonical")
            << u"CAF"_s + u"\u00C9"_s << u"caf"_s + eCombining << uint(tz::CaseInsensitiveSearch) << u"{0, 4}"_s;
        QTest::newRow("backwards, last of two")
            << eAcute + u"-"_s + eCombining << eAcute << uint(tz::BackwardsSearch) << u"{2, 2}"_s;
        QTest::newRow("anchored at the start")
            << eCombining + u"x"_s << eAcute << uint(tz::AnchoredSearch) << u"{0, 2}"_s;
        QTest::newRow("anchored, not at the start")
            << u"x"_s + eCombining << eAcute << uint(tz::AnchoredSearch) << u"{2147483647, 0}"_s;
        QTest::newRow("plain text unchanged") << u"abcabc"_s << u"ca"_s << none << u"{2, 2}"_s;
        // A mark joins the character before it, also one of no script at the text's start.
        QTest::newRow("mark after a symbol") << u"@@\u102F"_s << u"@@"_s << none << u"{2147483647, 0}"_s;
        QTest::newRow("mark after a letter") << u"g\u102F"_s << u"g"_s << none << u"{2147483647, 0}"_s;
    }
    void search()
    {
        QFETCH(QString, text);
        QFETCH(QString, target);
        QFETCH(uint, options);
        QFETCH(QString, found);
        QCOMPARE(tz::stringFromRange(tz::rangeOfStringOptions(text, target, options)), found);
    }

    void everyOccurrenceIsARangeOfTheOriginal()
    {
        const QString text = eAcute + u"+"_s + eCombining + u"+"_s + eAcute;
        QCOMPARE(rangesText(tz::rangesOfStringOptions(text, eCombining, 0)), u"{0, 1} {2, 2} {5, 1}"_s);
        QCOMPARE(rangesText(tz::rangesOfStringOptions(text, eCombining, tz::LiteralSearch)), u"{2, 2}"_s);
    }

    void containsIsCanonical()
    {
        QVERIFY(tz::contains(u"Caf"_s + eAcute, u"CAF"_s + u"E\u0301"_s));
        QVERIFY(!tz::containsPrecisely(u"Caf"_s + eAcute, u"Caf"_s + eCombining));
    }

    // Differing runs compare grapheme clusters in their decomposition; ranges are the receiver's.
    void rangesNotInCommon_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("other");
        QTest::addColumn<QString>("notInCommon");
        QTest::addColumn<QString>("inCommonLiterally");

        QTest::newRow("e acute both ways") << eAcute << eCombining << u""_s << u""_s;
        QTest::newRow("A ring, three ways") << aRing + angstrom << aCombining + aCombining << u""_s << u""_s;
        QTest::newRow("decomposed receiver")
            << u"x"_s + eCombining + u"y"_s << u"x"_s + eAcute + u"z"_s << u"{3, 1}"_s << u"{0, 1}"_s;
        QTest::newRow("one cluster differs")
            << eCombining + u"ab"_s << u"e\u0300ab"_s << u"{0, 2}"_s << u"{0, 1} {2, 2}"_s;
        QTest::newRow("other shorter in clusters") << eAcute + eAcute << eCombining << u"{1, 1}"_s << u""_s;
    }
    void rangesNotInCommon()
    {
        QFETCH(QString, text);
        QFETCH(QString, other);
        QFETCH(QString, notInCommon);
        QFETCH(QString, inCommonLiterally);
        QCOMPARE(rangesText(tz::rangesNotInCommonWithString(text, other)), notInCommon);
        QCOMPARE(rangesText(tz::rangesInCommonWithString(text, other)), inCommonLiterally);
    }

    // Where the window begins changes no boundary after that: "@" + U+102F is one cluster both
    // after a Han character and at the window's start.
    void clustersDoNotDependOnTheWindowStart()
    {
        const QString text = u"\u4000@@\u102F"_s;
        QCOMPARE(rangesText(tz::rangesOfStringOptionsInWindow(text, u"@"_s, 0, tz::Range{0, 4})), u"{1, 1}"_s);
        QCOMPARE(tz::stringFromRange(tz::rangeOfStringOptionsRange(text, u"@"_s, 0, tz::Range{2, 2})),
                 u"{2147483647, 0}"_s);
        for (qsizetype i = 0; i <= text.size(); ++i)
            QCOMPARE(tz::startsClusterAt(text, i), i != 3);
    }

    void decompositionMapsBackToTheOriginal()
    {
        const tz::CanonicalText canonical(u"a"_s + eAcute + angstrom + u"\r\n"_s);
        QCOMPARE(canonical.decomposed(), u"ae\u0301A\u030A\r\n"_s);
        QCOMPARE(canonical.clusterCount(), 4);
        QCOMPARE(canonical.originalStart(2), 2);
        QCOMPARE(canonical.originalEnd(3), 5);
        QCOMPARE(canonical.clusterStartingAt(2), -1); // inside "e" + U+0301
        QCOMPARE(canonical.clusterStartingAt(3), 2);
        QCOMPARE(canonical.clusterStartingAt(canonical.decomposed().size()), 4);
    }
};

QTEST_GUILESS_MAIN(TestStringSearch)
#include "tst_StringSearch.moc"
