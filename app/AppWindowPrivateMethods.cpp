// AppWindow(privateMethods): saving the tables and the details as text, and printing.
#include "app/AppWindow.h"

#include "Foundation/LogLine.h"
#include "app/ColumnWidths.h"
#include "app/PrintInfo.h"
#include "app/TablePrinting.h"
#include "app/TableText.h"
#include "app/TextFileWriter.h"
#include "ui_AppWindow.h"

#include <QHeaderView>
#include <QPrinter>

namespace {

const QString textExtension = QStringLiteral("txt");

// The sender's "tag" property; -1 without one.
int tagOf(const QObject* sender)
{
    bool ok = false;
    const int tag = sender ? sender->property("tag").toInt(&ok) : 0;
    return ok ? tag : -1;
}

} // namespace

QString AppWindow::tableToText(const QTableView* table) const
{
    return table ? TableText::tableToText(*table) : QString();
}

bool AppWindow::saveTableAsTextToPath(const QTableView* table, const QString& path)
{
    return saveTextToPath(tableToText(table), path);
}

bool AppWindow::saveTextToPath(const QString& text, const QString& path, QString* error)
{
    if (TextFileWriter::writeTextFile(text, path, error))
        return true;
    TZ_LOG_LINE("-[AppWindow(privateMethods) saveTextToPath:]", "Could not write %@", path);
    return false;
}

void AppWindow::saveAndOpen(const QString& text, const QString& path)
{
    QString reason;
    if (!saveTextToPath(text, path, &reason)) {
        // Nothing was written: say so, and open nothing.
        _exportPresenters.alert(_window.get(), QStringLiteral("The file \u201c%1\u201d could not be saved.").arg(path),
                                reason);
        return;
    }
    _exportPresenters.open(path);
}

void AppWindow::saveTableAsTextWithName(const QTableView* table, const QString& suggestedName)
{
    const QString path = _exportPresenters.savePanel(_window.get(), suggestedName, textExtension);
    if (path.isNull())
        return;
    saveAndOpen(tableToText(table), path);
}

void AppWindow::doSaveTableAsText(const QObject* sender)
{
    if (!_ui)
        return;
    switch (tagOf(sender)) {
    case 0: saveTableAsTextWithName(_ui->connectedTable, QStringLiteral("Connected Devices")); break;
    case 1: saveTableAsTextWithName(_ui->supportedTable, QStringLiteral("Supported Burners")); break;
    default: break;
    }
}

void AppWindow::saveTextView(const QTextEdit* view)
{
    if (!view)
        return;
    const QString path = _exportPresenters.savePanel(_window.get(), QStringLiteral("Item Detail.txt"), textExtension);
    if (path.isNull())
        return;
    saveAndOpen(view->toPlainText(), path);
}

void AppWindow::doSaveDetailAsText([[maybe_unused]] const QObject* sender)
{
    saveTextView(detailText());
}

void AppWindow::print(const std::function<bool(QPrinter&)>& printOn)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(_printInfo->pageLayout());
    if (!_exportPresenters.printDialog(printer, _window.get()))
        return;
    if (!printOn(printer))
        TZ_LOG_LINE("-[AppWindow(privateMethods) print:]", "Could not print to %@",
                    printer.printerName().isEmpty() ? printer.outputFileName() : printer.printerName());
}

TablePrinting::Centering AppWindow::centering() const
{
    return {_printInfo->isHorizontallyCentered(), _printInfo->isVerticallyCentered()};
}

void AppWindow::printDocument(const QObject* sender)
{
    if (!_ui)
        return;
    const int tag = tagOf(sender);
    if (tag == 0 || tag == 1) {
        const QTableView* table = tag == 0 ? _ui->connectedTable : _ui->supportedTable;
        print([this, table](QPrinter& printer) { return TablePrinting::printTable(*table, printer, centering()); });
    } else {
        print([this](QPrinter& printer) { return TablePrinting::printWidget(*_window, printer, centering()); });
    }
}

void AppWindow::doPrintDetailView([[maybe_unused]] const QObject* sender)
{
    if (!_ui)
        return;
    print([this](QPrinter& printer) {
        TablePrinting::printTextDocument(*_ui->detailText->document(), printer);
        return true;
    });
}

void AppWindow::updateColumnMinWidthsForTable(QTableView* table)
{
    if (table)
        ColumnWidths::updateColumnMinWidthsForTable(*table);
}

float AppWindow::adjustPageHeightNew(const QTableView& table, float top, float proposedBottom, float limit)
{
    // Qt draws the grid inside each row: the step is the row height alone.
    return TablePrinting::adjustPageHeightNew(top, proposedBottom, limit,
                                              float(table.verticalHeader()->defaultSectionSize()), 0.0f);
}
