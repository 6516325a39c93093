#include "app/ExportPresenters.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QFileDialog>
#include <QPrintDialog>
#include <QUrl>

QString ExportPresenters::runSavePanel(QWidget* parent, const QString& suggestedName, const QString& extension)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QFileDialog::tr("Text files (*.%1)").arg(extension));
    dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    QString path = dialog.selectedFiles().value(0);
    if (path.isEmpty())
        return {};
    const QString suffix = u'.' + extension;
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    return path;
}

void ExportPresenters::openWithDefaultApplication(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void ExportPresenters::showAlert(QWidget* parent, const QString& message, const QString& reason)
{
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), message, QMessageBox::Ok, parent);
    box.setInformativeText(reason);
    box.exec();
}

bool ExportPresenters::runPrintDialog(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
