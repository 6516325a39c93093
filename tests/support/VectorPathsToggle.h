// Runs a piece of work with the vectorised paths on or off, restoring the setting afterwards.
#pragma once

#include "Foundation/VectorPaths.h"

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>

template <typename Work>
auto withVectorPaths(bool enabled, Work work)
{
    struct Restore
    {
        bool was = tz::vectorPathsEnabled();
        ~Restore() { tz::setVectorPathsEnabled(was); }
    } restore;
    tz::setVectorPathsEnabled(enabled);
    return work();
}

// Bytes of every length up to maxLength, seeded, for comparing the two paths.
inline QList<QByteArray> samplesUpTo(int maxLength, quint32 seed = 7)
{
    QRandomGenerator random(seed);
    QList<QByteArray> samples;
    for (int n = 0; n <= maxLength; ++n) {
        QByteArray bytes(n, Qt::Uninitialized);
        for (char& c : bytes)
            c = char(random.bounded(256));
        samples.append(bytes);
    }
    return samples;
}
