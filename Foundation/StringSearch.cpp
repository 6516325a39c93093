#include "Foundation/StringSearch.h"

#include "Foundation/CanonicalText.h"
#include "Foundation/RangeFunctions.h"

namespace tz {

namespace {

Qt::CaseSensitivity caseOf(quint32 options)
{
    return (options & CaseInsensitiveSearch) ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

// Canonical comparison changes nothing when neither side holds a unit that decomposes or combines.
bool comparesLiterally(QStringView haystack, QStringView target, quint32 options)
{
    return (options & LiteralSearch) || (isCanonicallyPlain(target) && isCanonicallyPlain(haystack));
}

qsizetype literalMatch(QStringView haystack, QStringView target, quint32 options, qsizetype from)
{
    const Qt::CaseSensitivity cs = caseOf(options);
    if (options & BackwardsSearch) {
        if (options & AnchoredSearch)
            return haystack.endsWith(target, cs) ? haystack.size() - target.size() : -1;
        return haystack.lastIndexOf(target, -1, cs);
    }
    if (options & AnchoredSearch)
        return haystack.sliced(from).startsWith(target, cs) ? from : -1;
    return haystack.indexOf(target, from, cs);
}

// A match in the decomposition counts only where it begins and ends on cluster boundaries.
bool onBoundaries(const CanonicalText& canonical, qsizetype at, qsizetype length)
{
    return canonical.isClusterBoundary(at) && canonical.isClusterBoundary(at + length);
}

// The match at..at + length as a range of the original text; *cluster carries the walk forward.
Range originalRange(const CanonicalText& canonical, qsizetype at, qsizetype length, quint32 base, qsizetype* cluster)
{
    const qsizetype first = canonical.clusterStartingAt(at, *cluster);
    const qsizetype last = canonical.clusterStartingAt(at + length, first);
    *cluster = last;
    const qsizetype start = canonical.originalStart(first);
    const qsizetype end = canonical.originalStart(last);
    return Range{quint32(base + start), quint32(end - start)};
}

qsizetype canonicalMatch(const CanonicalText& canonical, const QString& target, quint32 options, qsizetype from)
{
    const QString& nfd = canonical.decomposed();
    const Qt::CaseSensitivity cs = caseOf(options);
    const qsizetype n = target.size();
    if (n > nfd.size())
        return -1;
    if (options & AnchoredSearch) {
        const qsizetype at = (options & BackwardsSearch) ? nfd.size() - n : from;
        const bool matches = (options & BackwardsSearch) ? QStringView(nfd).endsWith(target, cs)
                                                         : QStringView(nfd).sliced(at).startsWith(target, cs);
        return matches && onBoundaries(canonical, at, n) ? at : -1;
    }
    if (options & BackwardsSearch) {
        for (qsizetype at = nfd.lastIndexOf(target, -1, cs); at >= 0;
             at = at > 0 ? nfd.lastIndexOf(target, at - 1, cs) : -1) {
            if (onBoundaries(canonical, at, n))
                return at;
        }
        return -1;
    }
    for (qsizetype at = nfd.indexOf(target, from, cs); at >= 0; at = nfd.indexOf(target, at + 1, cs)) {
        if (onBoundaries(canonical, at, n))
            return at;
    }
    return -1;
}

QString decomposedTarget(QStringView target)
{
    return target.toString().normalized(QString::NormalizationForm_D);
}

} // namespace

Range rangeOfStringOptionsRange(QStringView text, QStringView target, quint32 options, Range window)
{
    const Range w = clippedRange(window, text.size());
    if (target.isEmpty())
        return notFoundRange;
    const QStringView haystack = text.sliced(w.location, w.length);
    if (comparesLiterally(haystack, target, options)) {
        if (target.size() > haystack.size())
            return notFoundRange;
        const qsizetype at = literalMatch(haystack, target, options, 0);
        return at < 0 ? notFoundRange : Range{quint32(w.location + at), quint32(target.size())};
    }
    const CanonicalText canonical(haystack);
    const QString nfdTarget = decomposedTarget(target);
    const qsizetype at = canonicalMatch(canonical, nfdTarget, options, 0);
    qsizetype cluster = 0;
    return at < 0 ? notFoundRange : originalRange(canonical, at, nfdTarget.size(), w.location, &cluster);
}

Range rangeOfStringOptions(QStringView text, QStringView target, quint32 options)
{
    return rangeOfStringOptionsRange(text, target, options,
                                     Range{0, quint32(qMin<qsizetype>(text.size(), 0xFFFFFFFF))});
}

QList<Range> rangesOfStringOptionsInWindow(QStringView text, QStringView target, quint32 options, Range window)
{
    QList<Range> ranges;
    const Range w = clippedRange(window, text.size());
    if (target.isEmpty())
        return ranges;
    const quint32 forwards = options & ~quint32(BackwardsSearch);
    const QStringView haystack = text.sliced(w.location, w.length);
    if (comparesLiterally(haystack, target, options)) {
        for (qsizetype at = literalMatch(haystack, target, forwards, 0); at >= 0;
             at = literalMatch(haystack, target, forwards, at + target.size())) {
            ranges.append(Range{quint32(w.location + at), quint32(target.size())});
        }
        return ranges;
    }
    const CanonicalText canonical(haystack);
    const QString nfdTarget = decomposedTarget(target);
    qsizetype cluster = 0;
    for (qsizetype at = canonicalMatch(canonical, nfdTarget, forwards, 0); at >= 0;
         at = canonicalMatch(canonical, nfdTarget, forwards, at + nfdTarget.size())) {
        ranges.append(originalRange(canonical, at, nfdTarget.size(), w.location, &cluster));
    }
    return ranges;
}

} // namespace tz
