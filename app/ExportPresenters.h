// The two places where saving touches the desktop: the save panel and opening the saved file.
// The window holds an ExportPresenters; tests replace its members with their own.
#pragma once

#include <QString>

#include <functional>

class QWidget;

struct ExportPresenters
{
    // Asks where to save: parent window, suggested file name, required extension (without the
    // dot). Answers the chosen path, ending with "." + extension, or a null QString on cancel.
    using SavePanel = std::function<QString(QWidget* parent, const QString& suggestedName, const QString& extension)>;
    // Opens a saved file in the user's default application for it.
    using Opener = std::function<void(const QString& path)>;

    SavePanel savePanel = runSavePanel;
    Opener open = openWithDefaultApplication;

    // A modal QFileDialog save dialog, starting in the dialog's own default folder; appends
    // "." + extension when the chosen name does not end with it (in any letter case).
    [[nodiscard]] static QString runSavePanel(QWidget* parent, const QString& suggestedName, const QString& extension);
    // QDesktopServices::openUrl with the file's URL; a failure is the desktop's to report.
    static void openWithDefaultApplication(const QString& path);
};
