#include "Foundation/CanonicalText.h"

#include <QTextBoundaryFinder>

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
// Below U+00C0 nothing has a canonical decomposition.
bool decomposesToItself(QStringView cluster)
{
    for (const QChar c : cluster) {
        if (c.unicode() >= 0xC0)
            return false;
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
    while (from < text.size()) {
        qsizetype to = finder.toNextBoundary();
        if (to <= from)
            to = text.size();
        const QStringView cluster = text.sliced(from, to - from);
        _origin.append(from);
        _start.append(_decomposed.size());
        if (decomposesToItself(cluster))
            _decomposed += cluster;
        else
            _decomposed += cluster.toString().normalized(QString::NormalizationForm_D);
        from = to;
    }
    _origin.append(text.size());
    _start.append(_decomposed.size());

    _clusterAt.fill(-1, _decomposed.size() + 1);
    for (qsizetype k = 0; k < _start.size(); ++k)
        _clusterAt[_start.at(k)] = k;
}

QStringView CanonicalText::cluster(qsizetype k) const
{
    return QStringView(_decomposed).sliced(_start.at(k), _start.at(k + 1) - _start.at(k));
}

} // namespace tz
