// URL and e-mail finder: every result lies inside the text and the (clipped) range, and has the
// shape its operation promises. The first 6 bytes pick the range and an index.
#include "Foundation_Additions/NSString/TzNSStringFindURL.h"

#include "Foundation/RangeFunctions.h"
#include "Foundation/StringSearch.h"

#include "FuzzInput.h"

namespace {

quint32 pick(const std::uint8_t* data, qsizetype limit)
{
    // Mostly inside the text, sometimes past it or the not-found location.
    const quint32 v = quint32(data[0]) | quint32(data[1]) << 8;
    if (v == 0xFFFF)
        return tz::Range::notFound;
    return v % quint32(limit + 3);
}

// The markers found by repeated caseless searches, marker after marker.
QList<tz::Range> markersBySearch(const QString& text, tz::Range window)
{
    QList<tz::Range> ranges;
    for (const QString& marker : tz::URLMarkers()) {
        tz::Range w = window;
        for (tz::Range r; (r = tz::rangeOfStringOptionsRange(text, marker, tz::CaseInsensitiveSearch, w)).found();) {
            ranges.append(r);
            w = tz::Range{quint32(r.end()), quint32(window.end() - r.end())};
        }
    }
    return ranges;
}

bool inside(tz::Range r, tz::Range window)
{
    return r.location >= window.location && r.end() <= window.end();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 6)
        return 0;
    const QString text = utf16FromBytes(data + 6, size - 6);
    const tz::Range range{pick(data, text.size()), pick(data + 2, text.size())};
    const quint32 index = pick(data + 4, text.size());
    const tz::Range window = range.found() ? tz::clippedRange(range, text.size()) : tz::Range{0, 0};
    const QStringView view(text);

    const auto markers = tz::rangesOfURLMarkersInRange(text, range);
    FUZZ_CHECK(tz::isLikelyURLInRange(text, range) == markers.has_value());
    FUZZ_CHECK(markers.value_or(QList<tz::Range>()) == markersBySearch(text, window));
    if (markers) {
        FUZZ_CHECK(!markers->isEmpty());
        int checked = 0;
        for (const tz::Range m : *markers) {
            FUZZ_CHECK(inside(m, window));
            FUZZ_CHECK(tz::URLMarkers().contains(view.sliced(m.location, m.length).toString(), Qt::CaseInsensitive));
            if (checked++ < 64) {
                const tz::Range a = tz::rangeOfURLAroundMarkerAtRangeInRange(text, m, range);
                FUZZ_CHECK(!a.found() || (inside(a, window) && a.location <= m.location && m.location < a.end()));
            }
        }
    }

    const tz::CharacterSet& illegal = tz::URLIllegalSet();
    const tz::Range run = tz::rangeOfCharactersDelimitedBySetAroundIndexInRange(text, illegal, index, range);
    if (run.found()) {
        FUZZ_CHECK(inside(run, window) && run.location <= index && index < run.end());
        if (!(run.length == 1 && illegal.contains(text.at(index))))
            FUZZ_CHECK(illegal.indexOfMember(view.sliced(run.location, run.length)) < 0);
    }
    FUZZ_CHECK(tz::rangeOfURLLegalTextAroundCharIndexInRange(text, index, range) == run);
    const tz::Range legal = tz::rangeOfEmailLegalTextAroundCharIndexInRange(text, index, range);
    FUZZ_CHECK(!legal.found() || (inside(legal, window) && legal.location <= index && index < legal.end()));

    const tz::Range address = tz::rangeOfEmailAddressInRange(text, range);
    if (address.found()) {
        const QStringView a = view.sliced(address.location, address.length);
        FUZZ_CHECK(inside(address, window) && a.size() >= 5 && a.count(u'@') == 1);
        FUZZ_CHECK(a.lastIndexOf(u'.') > a.indexOf(u'@') && a.indexOf(u'@') > 0 && !a.endsWith(u'.'));
    }

    tz::Range previous{window.location, 0};
    for (const tz::Range e : tz::extractEmailAddressRangesFromRange(text, range)) {
        FUZZ_CHECK(e.location >= previous.end() && e.end() <= quint64(text.size()) && e.length > 5);
        const QStringView candidate = view.sliced(e.location, e.length);
        FUZZ_CHECK(candidate.contains(u'@') && tz::emailIllegals().indexOfMember(candidate) < 0);
        previous = e;
    }

    const tz::Range url = tz::rangeOfNextURLInRange(text, range);
    if (url.found()) {
        const QStringView u = view.sliced(url.location, url.length);
        FUZZ_CHECK(inside(url, window) && u.size() > 5 && u.contains(u'@'));
        for (const QChar c : tz::URLUnsafeCharacters())
            FUZZ_CHECK(!u.contains(c));
    }
    return 0;
}
