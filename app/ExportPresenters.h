// The places where saving and printing touch the desktop: the save panel, opening the saved
// file and the print dialog. The window holds an ExportPresenters; tests replace its members.
#pragma once

#include <QString>

#include <functional>

class QPrinter;
class QWidget;

struct ExportPresenters
{
    // Asks where to save: parent window, suggested file name, required extension (without the
    // dot). Answers the chosen path, ending with "." + extension, or a null QString on cancel.
    using SavePanel = std::function<QString(QWidget* parent, const QString& suggestedName, const QString& extension)>;
    // Opens a saved file in the user's default application for it.
    using Opener = std::function<void(const QString& path)>;
    // Lets the user set up the printer (parent window); true to print, false on cancel.
    using PrintDialog = std::function<bool(QPrinter& printer, QWidget* parent)>;
    // Tells the user that something failed: parent window, the message, the reason.
    using Alert = std::function<void(QWidget* parent, const QString& message, const QString& reason)>;

    SavePanel savePanel = runSavePanel;
    Opener open = openWithDefaultApplication;
    PrintDialog printDialog = runPrintDialog;
    Alert alert = showAlert;

    // A modal QFileDialog save dialog, starting in the dialog's own default folder; appends
    // "." + extension when the chosen name does not end with it (in any letter case).
    [[nodiscard]] static QString runSavePanel(QWidget* parent, const QString& suggestedName, const QString& extension);
    // QDesktopServices::openUrl with the file's URL; a failure is the desktop's to report.
    static void openWithDefaultApplication(const QString& path);
    // A modal QPrintDialog on the printer.
    [[nodiscard]] static bool runPrintDialog(QPrinter& printer, QWidget* parent);
    // A modal warning box: the message, and the reason as its detail.
    static void showAlert(QWidget* parent, const QString& message, const QString& reason);
};
