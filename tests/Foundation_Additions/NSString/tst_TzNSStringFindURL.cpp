#include "Foundation_Additions/NSString/TzNSStringFindURL.h"

#include "Foundation/RangeFunctions.h"
#include "Foundation/StringSearch.h"

#include "support/RangeText.h"

#include <QTest>

using namespace Qt::StringLiterals;
using tz::Range;

namespace {

constexpr Range all{0, 100000};
constexpr Range none = tz::notFoundRange;

} // namespace

class TestFindURL : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void likely_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Range>("range");
        QTest::addColumn<bool>("likely");
        QTest::newRow("capital marker") << u"visit WWW.EXAMPLE now"_s << all << true;
        QTest::newRow("last marker") << u"me@home"_s << all << true;
        QTest::newRow("no marker") << u"plain words, nothing else"_s << all << false;
        QTest::newRow("marker outside the range") << u"abc.com"_s << Range{0, 4} << false;
        QTest::newRow("marker crossing the range's end") << u"abc.com"_s << Range{0, 6} << false;
        QTest::newRow("range beyond the text") << u"x.org"_s << Range{1, 0xFFFFFFFF} << true;
        QTest::newRow("empty text") << u""_s << all << false;
    }
    void likely()
    {
        QFETCH(QString, text);
        QFETCH(Range, range);
        QFETCH(bool, likely);
        QCOMPARE(tz::isLikelyURLInRange(text, range), likely);
    }

    void markers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Range>("range");
        QTest::addColumn<QString>("ranges"); // null: none
        QTest::newRow("none") << u"nothing to see"_s << all << QString();
        QTest::newRow("list order, not text order") << u"a.com then x://y"_s << all << u"{12, 3} {1, 4}"_s;
        QTest::newRow("overlapping markers") << u"www.a.com"_s << all << u"{0, 4} {5, 4}"_s;
        QTest::newRow("repeats in text order, any case")
            << u"@x.NET y.net @"_s << all << u"{2, 4} {8, 4} {0, 1} {13, 1}"_s;
        QTest::newRow("adjacent repeats") << u"@@"_s << all << u"{0, 1} {1, 1}"_s;
        QTest::newRow("overlapping repeats of one marker") << u"wwww."_s << all << u"{1, 4}"_s;
        QTest::newRow("case folding beyond ASCII") << u"NEW\u017f.x"_s << all << u"{0, 5}"_s;
        // Markers match whole grapheme clusters, as the caseless search does.
        QTest::newRow("combining mark after a marker") << u"x.org\u102Fy www.z"_s << all << u"{8, 4}"_s;
        QTest::newRow("combining mark outside the range") << u"x.org\u102F"_s << Range{0, 5} << u"{1, 4}"_s;
        QTest::newRow("combining mark after a run of markers")
            << u"\u4000@@\u102F @"_s << all << u"{1, 1} {5, 1}"_s;
        QTest::newRow("prepended mark before a marker") << u"\u0600@x"_s << all << QString();
        QTest::newRow("only inside the range") << u"a@b c@d"_s << Range{2, 5} << u"{5, 1}"_s;
        QTest::newRow("empty range") << u"a@b"_s << Range{1, 0} << QString();
    }
    void markers()
    {
        QFETCH(QString, text);
        QFETCH(Range, range);
        QFETCH(QString, ranges);
        const auto found = tz::rangesOfURLMarkersInRange(text, range);
        QCOMPARE(found.has_value(), !ranges.isNull());
        if (found) {
            QVERIFY(!found->isEmpty());
            QCOMPARE(rangesText(*found), ranges);
        }
    }

    void aroundMarker_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("marker");
        QTest::addColumn<Range>("range");
        QTest::addColumn<QString>("address"); // null: not found
        QTest::newRow(".com in a sentence")
            << u"see http://www.example.com/a?b=c now"_s << u".com"_s << all << u"http://www.example.com/a?b=c"_s;
        QTest::newRow("quotation marks end it")
            << u"x=\"ftp.example.org/f\";"_s << u"ftp."_s << all << u"ftp.example.org/f"_s;
        QTest::newRow("angle brackets end it") << u"<http://a.net>"_s << u"://"_s << all << u"http://a.net"_s;
        QTest::newRow("comma ends an e-mail address")
            << u"mail joe@example.com, then"_s << u"@"_s << all << u"joe@example.com"_s;
        QTest::newRow("comma does not end a URL") << u"go www.a.com,b now"_s << u"www."_s << all << u"www.a.com,b"_s;
        QTest::newRow("lone @: its own legal text") << u"a @ b"_s << u"@"_s << all << u"@"_s;
        QTest::newRow("address in parentheses after a colon")
            << u"to:(joe@ex.com)"_s << u"@"_s << all << u"joe@ex.com"_s;
        QTest::newRow("invalid address: the legal text") << u"x ab@cd y"_s << u"@"_s << all << u"ab@cd"_s;
        QTest::newRow("cut at the range") << u"http://a.com/long"_s << u".com"_s << Range{3, 10} << u"p://a.com/"_s;
        QTest::newRow("@ outside the range") << u"joe@example.com"_s << u"@"_s << Range{5, 10} << QString();
        QTest::newRow("marker outside the range") << u"www.a.com"_s << u".com"_s << Range{0, 4} << QString();
        QTest::newRow("empty range") << u"joe@example.com"_s << u"@"_s << Range{3, 0} << QString();
    }
    void aroundMarker()
    {
        QFETCH(QString, text);
        QFETCH(QString, marker);
        QFETCH(Range, range);
        QFETCH(QString, address);
        const Range at = tz::rangeOfStringOptions(text, marker, tz::LiteralSearch);
        QVERIFY(at.found());
        const Range found = tz::rangeOfURLAroundMarkerAtRangeInRange(text, at, range);
        if (address.isNull()) {
            QCOMPARE(found, none);
        } else {
            QVERIFY(tz::rangeLiesWithin(found, text.size()));
            QCOMPARE(text.mid(found.location, found.length), address);
        }
    }

    // The address around the marker, not the first one of its legal text.
    void aroundLaterAtMarker()
    {
        const QString text = u"x:a@b.cc;joe@ex.com and y@z"_s;
        const Range second{12, 1};
        QCOMPARE(text.at(12), u'@');
        QCOMPARE(tz::rangeOfURLAroundMarkerAtRangeInRange(text, second, all), (Range{9, 10}));
        QCOMPARE(tz::rangeOfURLAroundMarkerAtRangeInRange(text, Range{3, 1}, all), (Range{2, 6}));
        // Two "@" with no delimiter between them: no address, the legal text.
        QCOMPARE(tz::rangeOfURLAroundMarkerAtRangeInRange(u"a@b@c.de"_s, Range{3, 1}, all), (Range{0, 8}));
    }

    void aroundMarkerNotFound()
    {
        QCOMPARE(tz::rangeOfURLAroundMarkerAtRangeInRange(u"a@b.cd"_s, none, all), none);
        QCOMPARE(tz::rangeOfURLAroundMarkerAtRangeInRange(u"a@b.cd"_s, Range{40, 1}, all), none);
    }

    void aroundIndex_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("index");
        QTest::addColumn<Range>("range");
        QTest::addColumn<Range>("run");
        const QString t = u"ab cd,ef gh"_s; // members of the set: " " and ","
        QTest::newRow("inside a run") << t << 4u << all << Range{3, 2};
        QTest::newRow("at a run's start") << t << 3u << all << Range{3, 2};
        QTest::newRow("first unit of the text") << t << 0u << all << Range{0, 2};
        QTest::newRow("last unit of the text") << t << 10u << all << Range{9, 2};
        QTest::newRow("at a member") << t << 5u << all << Range{5, 1};
        QTest::newRow("cut at the range's ends") << t << 7u << Range{7, 1} << Range{7, 1};
        QTest::newRow("index before the range") << t << 1u << Range{2, 5} << none;
        QTest::newRow("index at the range's end") << t << 7u << Range{2, 5} << none;
        QTest::newRow("range of length 0") << t << 3u << Range{3, 0} << none;
        QTest::newRow("not-found range") << t << 3u << none << none;
        QTest::newRow("range beyond the text") << t << 9u << Range{6, 0xFFFFFFF0} << Range{9, 2};
        QTest::newRow("index beyond the text") << t << 11u << all << none;
    }
    void aroundIndex()
    {
        QFETCH(QString, text);
        QFETCH(quint32, index);
        QFETCH(Range, range);
        QFETCH(Range, run);
        const tz::CharacterSet set = tz::CharacterSet::fromCharacters(u" ,");
        QCOMPARE(tz::rangeOfCharactersDelimitedBySetAroundIndexInRange(text, set, index, range), run);
    }

    void delimitedPart_data()
    {
        QTest::addColumn<Range>("range");
        QTest::addColumn<quint32>("options");
        QTest::addColumn<Range>("part");
        // "ab cd ef"
        QTest::newRow("forwards: before the first member") << Range{0, 8} << quint32(tz::LiteralSearch) << Range{0, 2};
        QTest::newRow("backwards: after the last member") << Range{0, 8} << quint32(tz::BackwardsSearch) << Range{6, 2};
        QTest::newRow("no member: the whole range") << Range{3, 2} << quint32(0) << Range{3, 2};
        QTest::newRow("member at the end, backwards") << Range{0, 6} << quint32(tz::BackwardsSearch) << Range{6, 0};
        QTest::newRow("clipped to the text") << Range{6, 50} << quint32(0) << Range{6, 2};
        QTest::newRow("anchored, no member at the start") << Range{0, 8} << quint32(tz::AnchoredSearch) << Range{0, 8};
        QTest::newRow("anchored, member at the start") << Range{2, 6} << quint32(tz::AnchoredSearch) << Range{2, 0};
        QTest::newRow("anchored backwards, member at the end")
            << Range{0, 3} << quint32(tz::AnchoredSearch | tz::BackwardsSearch) << Range{3, 0};
        QTest::newRow("anchored backwards, none at the end")
            << Range{0, 8} << quint32(tz::AnchoredSearch | tz::BackwardsSearch) << Range{0, 8};
    }
    void delimitedPart()
    {
        QFETCH(Range, range);
        QFETCH(quint32, options);
        QFETCH(Range, part);
        const tz::CharacterSet set = tz::CharacterSet::fromCharacters(u" ");
        QCOMPARE(tz::rangeOfCharactersDelimitedBySetInRangeOptions(u"ab cd ef"_s, set, range, options), part);
    }

    void emailAddress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("address"); // null: not found
        QTest::newRow("6 units") << u"a@b.cc"_s << u"a@b.cc"_s;
        QTest::newRow("5 units") << u"a@b.c"_s << u"a@b.c"_s;
        QTest::newRow("4 units") << u"a@.b"_s << QString();
        QTest::newRow("begins with @") << u"@bc.de"_s << QString();
        QTest::newRow("ends with .") << u"ab@cd."_s << QString();
        QTest::newRow("only dot before @") << u"a.b@cde"_s << QString();
        QTest::newRow("no dot") << u"abc@def"_s << QString();
        QTest::newRow("two @") << u"ab@c@d.ef"_s << QString();
        QTest::newRow("no @") << u"abc.def"_s << QString();
        QTest::newRow("cut at delimiters") << u"to:(joe@ex.com);x"_s << u"joe@ex.com"_s;
        QTest::newRow("slash before, comma after") << u"a/b@c.de,f"_s << u"b@c.de"_s;
        QTest::newRow("spaces are no delimiter") << u"mail joe@ex.com"_s << u"mail joe@ex.com"_s;
    }
    void emailAddress()
    {
        QFETCH(QString, text);
        QFETCH(QString, address);
        const Range found = tz::rangeOfEmailAddressInRange(text, all);
        QCOMPARE(found.found(), !address.isNull());
        if (found.found())
            QCOMPARE(text.mid(found.location, found.length), address);
    }

    void nextCandidate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Range>("range");
        QTest::addColumn<Range>("email");
        QTest::addColumn<Range>("url");
        QTest::newRow("7 units, no dot") << u"ab@cdef"_s << all << Range{0, 7} << Range{0, 7};
        QTest::newRow("5 units") << u"a@b.c"_s << all << none << none;
        QTest::newRow("6 units") << u"a@b.cd"_s << all << Range{0, 6} << Range{0, 6};
        QTest::newRow("angle brackets") << u"x <joe@ex.com> y"_s << all << Range{3, 10} << Range{3, 10};
        QTest::newRow("spaces bound e-mail, not URL") << u"see joe@ex.com now"_s << all << Range{4, 10} << Range{0, 18};
        QTest::newRow("NUL bounds e-mail")
            << (u"ab"_s + QChar(u'\0') + u"c@host.org"_s) << all << Range{3, 10} << Range{0, 13};
        QTest::newRow("inside the range only") << u"xxjoe@ex.comyy"_s << Range{2, 10} << Range{2, 10} << Range{2, 10};
        QTest::newRow("no @") << u"nothing here"_s << all << none << none;
        QTest::newRow("@ beyond the range") << u"abcdef@ghij"_s << Range{0, 6} << none << none;
    }
    void nextCandidate()
    {
        QFETCH(QString, text);
        QFETCH(Range, range);
        QFETCH(Range, email);
        QFETCH(Range, url);
        QCOMPARE(tz::rangeOfNextEmailAddressInRange(text, range), email);
        QCOMPARE(tz::rangeOfNextURLInRange(text, range), url);
    }

    void extract_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Range>("range");
        QTest::addColumn<QString>("ranges");
        QTest::newRow("two, text order") << u"a@bc.de x@yz.com"_s << all << u"{0, 7} {8, 8}"_s;
        QTest::newRow("none") << u"no addresses"_s << all << u""_s;
        QTest::newRow("later windows run to the text's end")
            << u"a@bc.de x@yz.com"_s << Range{0, 7} << u"{0, 7} {8, 8}"_s;
        QTest::newRow("stops at the first short candidate") << u"a@b x@yz.com"_s << all << u""_s;
        QTest::newRow("range beyond the text") << u"  a@bc.de"_s << Range{1, 0xFFFFFFFF} << u"{2, 7}"_s;
        QTest::newRow("only @") << QString(1000, u'@') << all << u"{0, 1000}"_s;
    }
    void extract()
    {
        QFETCH(QString, text);
        QFETCH(Range, range);
        QFETCH(QString, ranges);
        QCOMPARE(rangesText(tz::extractEmailAddressRangesFromRange(text, range)), ranges);
    }

    void sets()
    {
        const tz::CharacterSet& illegal = tz::URLIllegalSet();
        QCOMPARE(&tz::buildBoundaryCharacterSets(), &illegal);
        for (const char16_t c : {u'"', u'<', u'>', u'[', u']', u'{', u'}', u'|', u'\\', u'^', u'`', u' ', u'\t', u'\n',
                                 u'\0', char16_t(0x00A0), char16_t(0x200B)}) {
            QVERIFY(illegal.contains(c));
            QVERIFY(tz::URLIllegalSetPlusComma().contains(c));
        }
        QVERIFY(!illegal.contains(u','));
        QVERIFY(tz::URLIllegalSetPlusComma().contains(u','));
        for (const char16_t c : {u'a', u'/', u':', u'%', u'#', u'@', u'~', char16_t(0x00E9)})
            QVERIFY(!tz::URLIllegalSetPlusComma().contains(c));
        for (const char16_t c : u"()<>[],;:\\/\" \t\r\n")
            QVERIFY(tz::emailIllegals().contains(c));
        QVERIFY(!tz::emailIllegals().contains(u'@'));
        QVERIFY(!tz::emailIllegals().contains(u'.'));
        QCOMPARE(tz::URLMarkers().size(), 17);
    }
};

QTEST_GUILESS_MAIN(TestFindURL)
#include "tst_TzNSStringFindURL.moc"
