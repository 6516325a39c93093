#include "Foundation/CanonicalText.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace tz {

bool isCanonicallyPlain(QStringView text) noexcept
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x300)
            return false;
    }
    return true;
}

namespace {
// True when the cluster is in canonical decomposition already: no code point with a canonical
// decomposition, and its combining marks in canonical order. Below U+00C0 nothing decomposes.
bool decomposesToItself(QStringView cluster)
{
    int lastClass = 0;
    for (qsizetype i = 0; i < cluster.size(); ++i) {
        char32_t u = cluster[i].unicode();
        if (u < 0xC0) {
            lastClass = 0;
            continue;
        }
        if (QChar::isHighSurrogate(u) && i + 1 < cluster.size() && cluster[i + 1].isLowSurrogate())
            u = QChar::surrogateToUcs4(char16_t(u), cluster[++i].unicode());
        if (QChar::decompositionTag(u) == QChar::Canonical)
            return false;
        const int combiningClass = QChar::combiningClass(u);
        if (combiningClass != 0 && combiningClass < lastClass)
            return false;
        lastClass = combiningClass;
    }
    return true;
}

char32_t codePointAt(QStringView text, qsizetype i)
{
    const char16_t u = text[i].unicode();
    if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(u, text[i + 1].unicode());
    return u;
}

// Combining marks and the zero-width joiners never start a cluster. The boundary finder's
// script-specific rules would cut before a mark that follows a character of no script ("@" +
// U+102F) at the start of a text but not further in, so a search's answer would depend on where
// its window began.
bool joinsPrevious(char32_t u)
{
    if (u < 0x300)
        return false;
    if (u == 0x200C || u == 0x200D)
        return true;
    const QChar::Category category = QChar::category(u);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining
        || category == QChar::Mark_Enclosing;
}
} // namespace

bool startsClusterAt(QStringView text, qsizetype i)
{
    if (i <= 0 || i >= text.size())
        return true;
    if (joinsPrevious(codePointAt(text, i)))
        return false;
    const qsizetype from = i >= 2 && text[i - 1].isLowSurrogate() && text[i - 2].isHighSurrogate() ? i - 2 : i - 1;
    const qsizetype to =
        text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? i + 2 : i + 1;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data() + from, to - from);
    finder.setPosition(i - from);
    return finder.isAtBoundary();
}

CanonicalText::CanonicalText(QStringView text)
{
    _decomposed.reserve(text.size());
    _origin.reserve(text.size() + 1);
    _start.reserve(text.size() + 1);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    qsizetype from = 0;
    QStringView previous;
    QString previousDecomposed;
    while (from < text.size()) {
        qsizetype to = finder.toNextBoundary();
        while (to > from && to < text.size() && joinsPrevious(codePointAt(text, to)))
            to = finder.toNextBoundary();
        if (to <= from)
            to = text.size();
        const QStringView cluster = text.sliced(from, to - from);
        _origin.append(qint32(from));
        _start.append(qint32(_decomposed.size()));
        if (decomposesToItself(cluster)) {
            _decomposed += cluster;
        } else {
            // Runs of one accented letter are common: decompose each distinct cluster once.
            if (cluster != previous) {
                previous = cluster;
                previousDecomposed = cluster.toString().normalized(QString::NormalizationForm_D);
            }
            _decomposed += previousDecomposed;
        }
        from = to;
    }
    _origin.append(qint32(text.size()));
    _start.append(qint32(_decomposed.size()));

    _boundary.fill(0, (_decomposed.size() + 1 + 63) / 64);
    for (const qint32 start : std::as_const(_start))
        _boundary[start / 64] |= quint64(1) << (start % 64);
}

qsizetype CanonicalText::clusterStartingAt(qsizetype i, qsizetype after) const
{
    if (!isClusterBoundary(i))
        return -1;
    // Galloping from `after`, then a binary search inside the last step.
    qsizetype low = qBound<qsizetype>(0, after, _start.size() - 1);
    if (_start.at(low) > i)
        low = 0;
    qsizetype step = 1;
    while (low + step < _start.size() && _start.at(low + step) <= i) {
        low += step;
        step *= 2;
    }
    const auto end = _start.cbegin() + qMin(low + step + 1, _start.size());
    return std::lower_bound(_start.cbegin() + low, end, qint32(i)) - _start.cbegin();
}

QStringView CanonicalText::cluster(qsizetype k) const
{
    return QStringView(_decomposed).sliced(_start.at(k), _start.at(k + 1) - _start.at(k));
}

} // namespace tz
