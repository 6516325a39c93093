#include "Foundation_Additions/NSString/TzNSStringRangesInCommon.h"

#include "Foundation/CanonicalText.h"
#include "Foundation/LogLine.h"
#include "Foundation/RangeFunctions.h"

namespace tz {

namespace {

// Appends index runs where agree(i) == in, over [from, to), merging with a run that ends at from.
class RunCollector
{
public:
    explicit RunCollector(bool in) : _in(in) {}
    void add(qsizetype from, qsizetype to, bool agree)
    {
        if (from >= to)
            return;
        if (agree != _in) {
            flush(from);
            return;
        }
        if (_start < 0)
            _start = from;
    }
    QList<Range> finish(qsizetype end)
    {
        flush(end);
        return std::move(_ranges);
    }

private:
    void flush(qsizetype at)
    {
        if (_start >= 0)
            _ranges.append(Range{quint32(_start), quint32(at - _start)});
        _start = -1;
    }
    bool _in;
    qsizetype _start = -1;
    QList<Range> _ranges;
};

bool clustersAgree(QStringView a, QStringView b, bool caseless)
{
    return a.compare(b, caseless ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
}

// Code unit i of the receiver against code unit i of other.
QList<Range> literalRuns(const QString& text, bool in, const QString& other, bool caseless, Range r)
{
    RunCollector runs(in);
    for (qsizetype i = r.location; i < qsizetype(r.end()); ++i) {
        bool agree = false;
        if (i < other.size()) {
            const QChar a = text.at(i);
            const QChar b = other.at(i);
            agree = caseless ? a.toCaseFolded() == b.toCaseFolded() : a == b;
        }
        runs.add(i, i + 1, agree);
    }
    return runs.finish(r.end());
}

// Grapheme cluster k of the receiver, decomposed, against cluster k of other; a cluster's
// agreement covers its code units in the receiver, cut to the range.
QList<Range> canonicalRuns(const QString& text, bool in, const QString& other, bool caseless, Range r)
{
    const CanonicalText mine(text);
    const CanonicalText theirs(other);
    RunCollector runs(in);
    for (qsizetype k = 0; k < mine.clusterCount(); ++k) {
        const qsizetype from = qMax<qsizetype>(mine.originalStart(k), r.location);
        const qsizetype to = qMin<qsizetype>(mine.originalEnd(k), r.end());
        if (mine.originalStart(k) >= qsizetype(r.end()))
            break;
        const bool agree = k < theirs.clusterCount() && clustersAgree(mine.cluster(k), theirs.cluster(k), caseless);
        runs.add(from, to, agree);
    }
    return runs.finish(r.end());
}

} // namespace

QList<Range> rangesInOrNotInCommonWithStringOptionsRange(const QString& text, bool in, const QString& other,
                                                         quint32 options, Range range)
{
    const bool caseless = options & CaseInsensitiveSearch;
    Range r = range;
    if (!rangeLiesWithin(range, text.size())) {
        TZ_LOG_LINE("-[NSString(RangesInCommon) rangesInOrNotIn:commonWithString:options:range:]",
                    "Range requested: %@ exceeds max range %@ of %@", stringFromRange(range),
                    stringFromRange(Range{0, quint32(text.size())}), text);
        r = clippedRange(range, text.size());
    }
    const QStringView part = QStringView(text).sliced(r.location, r.length);
    const bool literal = (options & LiteralSearch) || (isCanonicallyPlain(text) && isCanonicallyPlain(other));
    const bool whole = literal
        ? clustersAgree(part, other, caseless)
        : clustersAgree(CanonicalText(part).decomposed(), CanonicalText(other).decomposed(), caseless);
    if (whole)
        return in ? QList<Range>{r} : QList<Range>{};
    return literal ? literalRuns(text, in, other, caseless, r) : canonicalRuns(text, in, other, caseless, r);
}

QList<Range> rangesInCommonWithString(const QString& text, const QString& other)
{
    return rangesInOrNotInCommonWithStringOptionsRange(text, true, other, LiteralSearch,
                                                       Range{0, quint32(text.size())});
}

QList<Range> rangesNotInCommonWithString(const QString& text, const QString& other)
{
    return rangesInOrNotInCommonWithStringOptionsRange(text, false, other, 0, Range{0, quint32(text.size())});
}

} // namespace tz
