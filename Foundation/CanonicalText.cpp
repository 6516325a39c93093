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
} // namespace

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
