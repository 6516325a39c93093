// AppWindow: what the keyboard and the row menu do with a row (copy), the Model column's width,
// and the About box.
#include "app/AppWindow.h"

#include "app/AppInfo.h"
#include "app/DeviceRows.h"
#include "app/DeviceSupportProfile.h"
#include "app/DiscRecording/DriveService.h"
#include "app/DeviceTableModel.h"
#include "ui_AppWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMessageBox>
#include <QStyle>

QString AppWindow::selectedRowText(const QTableView* table)
{
    const QItemSelectionModel* selection = table ? table->selectionModel() : nullptr;
    const QModelIndexList rows = selection ? selection->selectedRows() : QModelIndexList();
    if (rows.isEmpty())
        return {};
    const QAbstractItemModel* model = table->model();
    const QHeaderView* header = table->horizontalHeader();
    QStringList fields;
    for (int visual = 0; visual < header->count(); ++visual)
        fields.append(model->index(rows.first().row(), header->logicalIndex(visual)).data().toString());
    return fields.join(u'\t') + u'\n';
}

void AppWindow::copySelectedRow()
{
    if (!_ui)
        return;
    QTableView* table = nullptr;
    for (QTableView* candidate : {_ui->connectedTable, _ui->supportedTable}) {
        if (candidate->hasFocus())
            table = candidate;
    }
    if (!table)
        table = _viewLastDetailed;
    const QString text = selectedRowText(table);
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void AppWindow::fitModelColumn(QTableView* table)
{
    const DeviceTableModel* model = DeviceTableModel::of(table);
    if (!model)
        return;
    for (int column = 0; column < model->columnCount(); ++column) {
        if (model->columnIdentifier(column) != modelKey)
            continue;
        // Wide enough for the longest model shown, never narrower than the user made it, and
        // leaving room for the other columns.
        const int margin = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1) + 8;
        int widest = 0;
        for (int row = 0; row < model->rowCount(); ++row)
            widest =
                std::max(widest, table->fontMetrics().horizontalAdvance(model->index(row, column).data().toString()));
        const int wanted = std::min(widest + margin, table->viewport()->width() * 2 / 3);
        if (table->horizontalHeader()->sectionSize(column) < wanted)
            table->horizontalHeader()->resizeSection(column, wanted);
    }
}

QString AppWindow::aboutText() const
{
    return QStringLiteral("%1 %2\n%3\n\nProfile in use: %4")
        .arg(AppInfo::displayName(), AppInfo::version(), AppInfo::licence(),
             DeviceSupportProfile::displayPath(_service.supportProfilePath()));
}

void AppWindow::showAbout()
{
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("About %1").arg(AppInfo::displayName()),
                                aboutText(), QMessageBox::Ok, _window.get());
    box->setObjectName(QStringLiteral("aboutBox"));
    box->setIconPixmap(QApplication::windowIcon().pixmap(64, 64));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}
