// A window that shows an image, for debugging.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace tz {

// Opens a titled, closable window that stays above normal windows, its content the image's frame
// in points: blue, with the image drawn source-over at the origin. Titled with the title, or
// "(untitled)" for a null title. The window deletes itself when closed; it is returned shown,
// raised and painted. Needs a QApplication.
QWidget* show(const QImage& image, const QString& title);

} // namespace tz
