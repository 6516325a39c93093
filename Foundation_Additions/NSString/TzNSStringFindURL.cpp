#include "Foundation_Additions/NSString/TzNSStringFindURL.h"

#include "Foundation/CanonicalText.h"
#include "Foundation/RangeFunctions.h"
#include "Foundation/StringSearch.h"
#include "Foundation_Additions/NSString/TzNSStringWithUnichar.h"

#include <array>
#include <vector>

namespace tz {

namespace {

struct BoundarySets
{
    CharacterSet illegal;
    CharacterSet illegalPlusComma;
};

const BoundarySets& boundarySets()
{
    static const BoundarySets sets = [] {
        const CharacterSet illegal = CharacterSet::controlCharacterSet()
                                         .united(CharacterSet::whitespaceCharacterSet())
                                         .united(CharacterSet::fromCharacters(URLUnsafeCharacters()));
        return BoundarySets{illegal, illegal.united(CharacterSet::fromCharacters(u","))};
    }();
    return sets;
}

const CharacterSet& addressDelimiters()
{
    static const CharacterSet set = CharacterSet::fromCharacters(u"(),;:/");
    return set;
}

const CharacterSet& unsafeSet()
{
    static const CharacterSet set = CharacterSet::fromCharacters(URLUnsafeCharacters());
    return set;
}

// Index of the first (last) member of set in [from, to); -1 when there is none.
qsizetype firstMember(const QString& text, const CharacterSet& set, qsizetype from, qsizetype to)
{
    return set.indexOfMember(QStringView(text).first(to), from);
}

qsizetype lastMember(const QString& text, const CharacterSet& set, qsizetype from, qsizetype to)
{
    const char16_t* p = reinterpret_cast<const char16_t*>(text.utf16());
    for (qsizetype i = to - 1; i >= from; --i) {
        if (set.contains(p[i]))
            return i;
    }
    return -1;
}

// Index of the first unit in [from, to); -1 when there is none.
qsizetype firstUnit(const QString& text, char16_t unit, qsizetype from, qsizetype to)
{
    return QStringView(text).first(to).indexOf(QChar(unit), from);
}

// The candidate around the window's first "@" bounded by members of set, when longer than 5.
Range candidateAroundFirstAt(const QString& text, const CharacterSet& set, Range range)
{
    const Range w = clippedRange(range, text.size());
    const qsizetype start = w.location;
    const qsizetype end = qsizetype(w.end());
    const qsizetype at = firstUnit(text, u'@', start, end);
    if (at < 0)
        return notFoundRange;
    const qsizetype before = lastMember(text, set, start, at);
    const qsizetype after = firstMember(text, set, at, end);
    const qsizetype from = before < 0 ? start : before + 1;
    const qsizetype to = after < 0 ? end : after;
    if (to - from <= 5)
        return notFoundRange;
    return Range{quint32(from), quint32(to - from)};
}

constexpr std::size_t markerCount = 17;

// Caseless matching as the string search does it (simple case folding per code unit), for
// markers, which are ASCII and already folded.
struct MarkerTable
{
    // The folded form of each code unit when that is ASCII, else 0.
    std::array<char, 65536> folded{};
    // The markers that begin with each ASCII character.
    std::array<std::vector<qsizetype>, 128> byFirst;
};

const MarkerTable& markerTable()
{
    static const MarkerTable table = [] {
        MarkerTable t;
        for (char32_t u = 0; u < 65536; ++u) {
            const char16_t f = QChar(char16_t(u)).toCaseFolded().unicode();
            t.folded[u] = f > 0 && f < 128 ? char(f) : 0;
        }
        const QStringList& markers = URLMarkers();
        for (qsizetype k = 0; k < markers.size(); ++k)
            t.byFirst[markers.at(k).at(0).unicode()].push_back(k);
        return t;
    }();
    return table;
}

// The search matches whole grapheme clusters: a marker needs a cluster boundary at both ends.
// Beside a unit below U+0300 there always is one (markers hold no CR or LF).
bool onClusterBoundaries(const QString& text, qsizetype start, qsizetype end, qsizetype at, qsizetype length)
{
    const char16_t* p = reinterpret_cast<const char16_t*>(text.utf16());
    const QStringView window = QStringView(text).sliced(start, end - start);
    const qsizetype after = at + length;
    return (at == start || p[at - 1] < 0x300 || startsClusterAt(window, at - start))
        && (after == end || p[after] < 0x300 || startsClusterAt(window, after - start));
}

// One pass over the window finding, for every marker, its occurrences as repeated searches
// would: each the first one at or after the end of the one before. found(marker, at) returns
// false to stop.
template <typename Found>
void scanMarkers(const QString& text, Range w, Found found)
{
    const MarkerTable& table = markerTable();
    const QStringList& markers = URLMarkers();
    const char16_t* p = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype start = w.location;
    const qsizetype end = qsizetype(w.end());
    std::array<qsizetype, markerCount> nextAllowed;
    nextAllowed.fill(start);
    for (qsizetype i = start; i < end; ++i) {
        const char first = table.folded[p[i]];
        if (first == 0)
            continue;
        for (const qsizetype k : table.byFirst[std::size_t(first)]) {
            const QString& marker = markers.at(k);
            const qsizetype length = marker.size();
            if (i < nextAllowed[std::size_t(k)] || i + length > end)
                continue;
            qsizetype j = 1;
            while (j < length && table.folded[p[i + j]] == char(marker.at(j).unicode()))
                ++j;
            if (j < length || !onClusterBoundaries(text, start, end, i, length))
                continue;
            nextAllowed[std::size_t(k)] = i + length;
            if (!found(k, i))
                return;
        }
    }
}
} // namespace

const QStringList& URLMarkers()
{
    static const QStringList markers =
        QStringLiteral("://,www.,.com,.org,.net,.mil,.edu,.aero,.biz,.coop,.info,.museum,.name,.pro,ftp.,news.,@")
            .split(u',');
    return markers;
}

QStringView URLUnsafeCharacters()
{
    return u"\"<>[]{}|\\^`";
}

const CharacterSet& URLIllegalSet()
{
    return boundarySets().illegal;
}

const CharacterSet& URLIllegalSetPlusComma()
{
    return boundarySets().illegalPlusComma;
}

const CharacterSet& buildBoundaryCharacterSets()
{
    return boundarySets().illegal;
}

const CharacterSet& emailIllegals()
{
    static const CharacterSet set =
        CharacterSet::fromCharacters(QString(QStringLiteral("()<>[],;:\\/\" \t\r\n") + stringWithUnichar(0)));
    return set;
}

bool isLikelyURLInRange(const QString& text, Range range)
{
    bool found = false;
    scanMarkers(text, clippedRange(range, text.size()), [&](qsizetype, qsizetype) {
        found = true;
        return false;
    });
    return found;
}

std::optional<QList<Range>> rangesOfURLMarkersInRange(const QString& text, Range range)
{
    std::array<QList<Range>, markerCount> groups;
    qsizetype total = 0;
    scanMarkers(text, clippedRange(range, text.size()), [&](qsizetype marker, qsizetype at) {
        groups[std::size_t(marker)].append(Range{quint32(at), quint32(URLMarkers().at(marker).size())});
        ++total;
        return true;
    });
    if (total == 0)
        return std::nullopt;
    QList<Range> ranges;
    ranges.reserve(total);
    for (const QList<Range>& group : groups)
        ranges.append(group);
    return ranges;
}

Range rangeOfURLAroundMarkerAtRangeInRange(const QString& text, Range marker, Range range)
{
    if (!marker.found())
        return notFoundRange;
    const Range m = clippedRange(marker, text.size());
    if (QStringView(text).sliced(m.location, m.length) == u"@") {
        const Range legal = rangeOfEmailLegalTextAroundCharIndexInRange(text, marker.location, range);
        if (!legal.found())
            return notFoundRange;
        // Validate from the delimiter before the marker: the legal text may hold earlier
        // addresses, and the answer is the one around this marker.
        const qsizetype delimiter = lastMember(text, addressDelimiters(), legal.location, marker.location);
        const quint32 from = delimiter < 0 ? legal.location : quint32(delimiter + 1);
        const Range address = rangeOfEmailAddressInRange(text, Range{from, quint32(legal.end() - from)});
        return address.found() ? address : legal;
    }
    return rangeOfURLLegalTextAroundCharIndexInRange(text, marker.location, range);
}

Range rangeOfURLLegalTextAroundCharIndexInRange(const QString& text, quint32 index, Range range)
{
    return rangeOfCharactersDelimitedBySetAroundIndexInRange(text, buildBoundaryCharacterSets(), index, range);
}

Range rangeOfEmailLegalTextAroundCharIndexInRange(const QString& text, quint32 index, Range range)
{
    buildBoundaryCharacterSets();
    return rangeOfCharactersDelimitedBySetAroundIndexInRange(text, URLIllegalSetPlusComma(), index, range);
}

Range rangeOfCharactersDelimitedBySetAroundIndexInRange(const QString& text, const CharacterSet& set, quint32 index,
                                                        Range range)
{
    if (!range.found())
        return notFoundRange;
    const Range w = clippedRange(range, text.size());
    if (w.length == 0 || index - w.location >= w.length)
        return notFoundRange;
    const Range left = rangeOfCharactersDelimitedBySetInRangeOptions(
        text, set, Range{w.location, index - w.location + 1}, LiteralSearch | BackwardsSearch);
    const Range right =
        rangeOfCharactersDelimitedBySetInRangeOptions(text, set, Range{index, quint32(w.end() - index)}, LiteralSearch);
    const quint64 from = qMin<quint64>(left.location, right.location);
    const quint64 to = qMax(left.end(), right.end());
    return Range{quint32(from), quint32(to - from)};
}

Range rangeOfCharactersDelimitedBySetInRangeOptions(const QString& text, const CharacterSet& set, Range range,
                                                    quint32 options)
{
    const Range w = clippedRange(range, text.size());
    const qsizetype start = w.location;
    const qsizetype end = qsizetype(w.end());
    // Anchored: only the unit at the range's start (end, backwards) is looked at.
    const bool anchored = options & AnchoredSearch;
    if (options & BackwardsSearch) {
        const qsizetype f = lastMember(text, set, anchored ? qMax(start, end - 1) : start, end);
        return f < 0 ? w : Range{quint32(f + 1), quint32(end - f - 1)};
    }
    const qsizetype f = firstMember(text, set, start, anchored ? qMin(end, start + 1) : end);
    return f < 0 ? w : Range{w.location, quint32(f - start)};
}

Range rangeOfEmailAddressInRange(const QString& text, Range range)
{
    const Range w = clippedRange(range, text.size());
    const qsizetype start = w.location;
    const qsizetype end = qsizetype(w.end());
    const qsizetype at = firstUnit(text, u'@', start, end);
    if (at < 0)
        return notFoundRange;
    const qsizetype before = lastMember(text, addressDelimiters(), start, at);
    const qsizetype after = firstMember(text, addressDelimiters(), at, end);
    const qsizetype from = before < 0 ? start : before + 1;
    const qsizetype to = after < 0 ? end : after;

    const QStringView candidate = QStringView(text).sliced(from, to - from);
    const qsizetype lastDot = candidate.lastIndexOf(u'.');
    const qsizetype atInCandidate = at - from;
    if (lastDot < 0 || lastDot < atInCandidate || candidate.count(u'@') != 1 || candidate.size() < 5
        || atInCandidate == 0 || lastDot == candidate.size() - 1)
        return notFoundRange;
    return Range{quint32(from), quint32(candidate.size())};
}

Range rangeOfNextEmailAddressInRange(const QString& text, Range range)
{
    return candidateAroundFirstAt(text, emailIllegals(), range);
}

QList<Range> extractEmailAddressRangesFromRange(const QString& text, Range range)
{
    QList<Range> ranges;
    const quint64 textEnd = quint64(text.size());
    Range window = clippedRange(range, text.size());
    for (;;) {
        const Range found = rangeOfNextEmailAddressInRange(text, window);
        if (!found.found())
            break;
        ranges.append(found);
        window = Range{quint32(found.end()), quint32(textEnd - found.end())};
    }
    return ranges;
}

Range rangeOfNextURLInRange(const QString& text, Range range)
{
    return candidateAroundFirstAt(text, unsafeSet(), range);
}

} // namespace tz
