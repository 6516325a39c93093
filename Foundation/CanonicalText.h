// Text in canonical decomposition (NFD) with a map back to the original, for comparisons that
// treat canonically equivalent texts as equal: "é" as one code unit, as "e" + U+0301, "Å" (U+00C5),
// "A" + U+030A and U+212B all compare equal. The unit of comparison is the grapheme cluster.
#pragma once

#include <QList>
#include <QString>

namespace tz {

// True when no code unit is at or above U+0300: such texts are canonically equal exactly when they
// are equal code unit by code unit (and so need no decomposition).
[[nodiscard]] bool isCanonicallyPlain(QStringView text) noexcept;

class CanonicalText
{
public:
    // The grapheme clusters of text, each in its canonical decomposition.
    explicit CanonicalText(QStringView text);

    // The decomposed text: the clusters' decompositions one after another.
    [[nodiscard]] const QString& decomposed() const { return _decomposed; }
    [[nodiscard]] qsizetype clusterCount() const { return _origin.size() - 1; }
    // Cluster k: its code units in the original text, and its decomposition.
    [[nodiscard]] qsizetype originalStart(qsizetype k) const { return _origin.at(k); }
    [[nodiscard]] qsizetype originalEnd(qsizetype k) const { return _origin.at(k + 1); }
    [[nodiscard]] QStringView cluster(qsizetype k) const;
    // The cluster that starts at index i of the decomposition (i == size() names the end), or -1
    // when i falls inside a cluster.
    [[nodiscard]] qsizetype clusterStartingAt(qsizetype i) const { return _clusterAt.at(i); }

private:
    QString _decomposed;
    QList<qsizetype> _origin;    // cluster starts in the original, then its end
    QList<qsizetype> _start;     // cluster starts in the decomposition, then its end
    QList<qsizetype> _clusterAt; // per index of the decomposition (and its end): cluster or -1
};

} // namespace tz
