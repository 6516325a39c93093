// Text in canonical decomposition (NFD) with a map back to the original, for comparisons that
// treat canonically equivalent texts as equal: "é" as one code unit, as "e" + U+0301, "Å" (U+00C5),
// "A" + U+030A and U+212B all compare equal. The unit of comparison is the grapheme cluster; a
// combining mark always belongs to the cluster before it, whatever the script of that cluster.
#pragma once

#include <QList>
#include <QString>

namespace tz {

// True when no code unit is at or above U+0300: such texts are canonically equal exactly when they
// are equal code unit by code unit (and so need no decomposition).
[[nodiscard]] bool isCanonicallyPlain(QStringView text) noexcept;

// True when a cluster starts at index i of text as CanonicalText segments it (always at 0 and at
// the end), judged from the code points on either side of i: exact where one of them is ASCII.
[[nodiscard]] bool startsClusterAt(QStringView text, qsizetype i);

class CanonicalText
{
public:
    // The grapheme clusters of text, each in its canonical decomposition. Text beyond 2^31 - 1
    // code units is beyond the reach of the string API's ranges and is not supported.
    explicit CanonicalText(QStringView text);

    // The decomposed text: the clusters' decompositions one after another.
    [[nodiscard]] const QString& decomposed() const { return _decomposed; }
    [[nodiscard]] qsizetype clusterCount() const { return _origin.size() - 1; }
    // Cluster k: its code units in the original text, and its decomposition.
    [[nodiscard]] qsizetype originalStart(qsizetype k) const { return _origin.at(k); }
    [[nodiscard]] qsizetype originalEnd(qsizetype k) const { return _origin.at(k + 1); }
    [[nodiscard]] QStringView cluster(qsizetype k) const;
    // True when a cluster starts at index i of the decomposition (i == size() is the end).
    [[nodiscard]] bool isClusterBoundary(qsizetype i) const
    {
        return i >= 0 && i <= _decomposed.size() && ((_boundary.at(i / 64) >> (i % 64)) & 1);
    }
    // The cluster that starts at index i of the decomposition (i == size() names the end), or -1
    // when i falls inside a cluster. Searching from cluster `after` on (not past i) makes a walk
    // through increasing indexes linear.
    [[nodiscard]] qsizetype clusterStartingAt(qsizetype i, qsizetype after = 0) const;

private:
    QString _decomposed;
    // 32-bit indexes: texts are addressed by 32-bit ranges anyway.
    QList<qint32> _origin;    // cluster starts in the original, then its end
    QList<qint32> _start;     // cluster starts in the decomposition, then its end
    QList<quint64> _boundary; // one bit per index of the decomposition (and its end): a cluster starts
};

} // namespace tz
