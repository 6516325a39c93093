#include "Foundation_Additions/NSString/TzNSStringRangesOfString.h"

#include "Foundation/RangeFunctions.h"

#include "support/RangeText.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestRangesOfString : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ranges_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("target");
        QTest::addColumn<quint32>("options");
        QTest::addColumn<tz::Range>("range");
        QTest::addColumn<QString>("ranges");

        const tz::Range all{0, 1000};
        QTest::newRow("non-overlapping") << u"aaa"_s << u"aa"_s << quint32(tz::LiteralSearch) << all << u"{0, 2}"_s;
        QTest::newRow("several") << u"abcabcab"_s << u"ab"_s << quint32(tz::LiteralSearch) << all
                                 << u"{0, 2} {3, 2} {6, 2}"_s;
        QTest::newRow("backwards bit ignored")
            << u"abcabcab"_s << u"ab"_s << quint32(tz::LiteralSearch | tz::BackwardsSearch) << all
            << u"{0, 2} {3, 2} {6, 2}"_s;
        QTest::newRow("case-insensitive")
            << u"Ab aB ab"_s << u"AB"_s << quint32(tz::CaseInsensitiveSearch) << all << u"{0, 2} {3, 2} {6, 2}"_s;
        QTest::newRow("case-sensitive") << u"Ab aB ab"_s << u"AB"_s << quint32(0) << all << u""_s;
        QTest::newRow("inside a range") << u"xaxaxaxa"_s << u"xa"_s << quint32(tz::LiteralSearch) << tz::Range{1, 5}
                                        << u"{2, 2} {4, 2}"_s;
        QTest::newRow("occurrence crossing range end")
            << u"xaxa"_s << u"xa"_s << quint32(tz::LiteralSearch) << tz::Range{0, 3} << u"{0, 2}"_s;
        QTest::newRow("anchored") << u"ababxab"_s << u"ab"_s << quint32(tz::AnchoredSearch) << all
                                  << u"{0, 2} {2, 2}"_s;
        QTest::newRow("empty target") << u"abc"_s << u""_s << quint32(tz::LiteralSearch) << all << u""_s;
        QTest::newRow("range beyond the text is clipped")
            << u"abab"_s << u"ab"_s << quint32(tz::LiteralSearch) << tz::Range{2, 0xFFFFFFFF} << u"{2, 2}"_s;
        QTest::newRow("range starting beyond the text")
            << u"abab"_s << u"ab"_s << quint32(tz::LiteralSearch) << tz::Range{9, 3} << u""_s;
    }
    void ranges()
    {
        QFETCH(QString, text);
        QFETCH(QString, target);
        QFETCH(quint32, options);
        QFETCH(tz::Range, range);
        QFETCH(QString, ranges);
        QCOMPARE(rangesText(tz::rangesOfStringOptionsRange(text, target, options, range)), ranges);
    }

    void wholeTextForms()
    {
        QCOMPARE(rangesText(tz::rangesOfString(u"aXa"_s, u"a"_s)), u"{0, 1} {2, 1}"_s);
        QCOMPARE(rangesText(tz::rangesOfString(u"aXa"_s, u"x"_s)), u""_s);
        QCOMPARE(rangesText(tz::rangesOfStringOptions(u"aXa"_s, u"x"_s, tz::CaseInsensitiveSearch)), u"{1, 1}"_s);
    }
};

QTEST_GUILESS_MAIN(TestRangesOfString)
#include "tst_TzNSStringRangesOfString.moc"
