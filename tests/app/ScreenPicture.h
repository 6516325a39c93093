// What a picture of the window shows: how many colours, and the details pane's key names.
#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QRect>
#include <QSet>

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace picture {

// Distinct colours of the area (the whole picture when empty), sampling every second pixel: a
// blank window or an empty X screen has one or two.
[[nodiscard]] inline int distinctColours(const QImage& image, const QRect& area = {})
{
    const QRect inside = area.isEmpty() ? image.rect() : area.intersected(image.rect());
    QSet<QRgb> colours;
    for (int y = inside.top(); y <= inside.bottom(); y += 2)
        for (int x = inside.left(); x <= inside.right(); x += 2)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

// Plainly blue, as key names are drawn on a light pane.
[[nodiscard]] inline bool isBlue(const QColor& c)
{
    return c.blue() > 160 && c.red() < 90 && c.green() < 90;
}

// Each channel within 40 of the colour.
[[nodiscard]] inline std::function<bool(const QColor&)> near(const QColor& colour)
{
    return [colour](const QColor& c) {
        return std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40
            && std::abs(c.blue() - colour.blue()) < 40;
    };
}

// Text lines of the area that begin with a key name in the key colour and go on with text of
// another colour, as the details pane draws "Key: value". Lines are the bands of rows that hold
// anything besides the area's most common colour.
[[nodiscard]] inline int keyNameLines(const QImage& image, const QRect& area,
                                      const std::function<bool(const QColor&)>& isKey)
{
    const QRect inside = area.intersected(image.rect());
    QHash<QRgb, int> counts;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y)];
    if (counts.isEmpty())
        return 0;
    const QColor background(std::max_element(counts.cbegin(), counts.cend()).key());
    const auto isInk = [&background](const QColor& c) {
        return std::max({std::abs(c.red() - background.red()), std::abs(c.green() - background.green()),
                         std::abs(c.blue() - background.blue())})
            > 80;
    };

    int lines = 0;
    int y = inside.top();
    while (y <= inside.bottom()) {
        // One band: the rows with ink from here on.
        int firstInk = inside.right() + 1;
        int firstKey = inside.right() + 1;
        int lastKey = -1;
        int lastOther = -1;
        int rows = 0;
        for (; y <= inside.bottom(); ++y, ++rows) {
            bool ink = false;
            for (int x = inside.left(); x <= inside.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (!isInk(c))
                    continue;
                ink = true;
                firstInk = std::min(firstInk, x);
                if (isKey(c)) {
                    firstKey = std::min(firstKey, x);
                    lastKey = std::max(lastKey, x);
                } else {
                    lastOther = std::max(lastOther, x);
                }
            }
            if (!ink)
                break;
        }
        ++y;
        if (rows > 0 && lastKey >= 0 && firstKey - firstInk <= 3 && lastOther > lastKey + 3)
            ++lines;
    }
    return lines;
}

} // namespace picture
