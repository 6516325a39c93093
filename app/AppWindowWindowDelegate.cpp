// AppWindow(windowDelegateMethods): closing the window, and its geometry between runs.
#include "app/AppWindow.h"

#include "app/DiscRecording/DriveService.h"
#include "ui_AppWindow.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QSettings>
#include <QStyle>

namespace {
const QString geometryKey = QStringLiteral("AppWindow/geometry");
const QString mainSplitterKey = QStringLiteral("AppWindow/mainSplitter");
const QString tablesSplitterKey = QStringLiteral("AppWindow/tablesSplitter");
const QString connectedColumnsKey = QStringLiteral("AppWindow/connectedColumns");
const QString supportedColumnsKey = QStringLiteral("AppWindow/supportedColumns");
} // namespace

void AppWindow::windowWillClose()
{
    _service.notificationCenter()->removeObserverNameObject(this, {}, {});
    saveWindowState();
}

bool AppWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == _window.get() && event->type() == QEvent::Close)
        windowWillClose();
    if (event->type() == QEvent::Resize && _emptyConnectedLabel && watched == _ui->connectedTable->viewport())
        _emptyConnectedLabel->setGeometry(_ui->connectedTable->viewport()->rect());
    if (event->type() == QEvent::MouseButtonPress && _ui) {
        for (QTableView* table : {_ui->connectedTable, _ui->supportedTable})
            if (watched == table->viewport())
                tableViewportPressed(table, static_cast<const QMouseEvent&>(*event));
    }
    return QObject::eventFilter(watched, event);
}

void AppWindow::restoreWindowState()
{
    const QSettings settings;
    if (!_window->restoreGeometry(settings.value(geometryKey).toByteArray())) {
        // First run: two thirds of the screen at most, centred.
        if (const QScreen* screen = _window->screen()) {
            const QRect available = screen->availableGeometry();
            const QSize size = _window->size().boundedTo(available.size() * 2 / 3).expandedTo(_window->minimumSize());
            _window->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));
        }
    }
    // Without remembered positions: tables wider than the details, supported drives taller.
    if (!_ui->mainSplitter->restoreState(settings.value(mainSplitterKey).toByteArray()))
        _ui->mainSplitter->setSizes({600, 360});
    if (!_ui->tablesSplitter->restoreState(settings.value(tablesSplitterKey).toByteArray()))
        _ui->tablesSplitter->setSizes({200, 400});
    // Column widths and order as the user left them (the sort order starts afresh).
    for (const auto& [table, key] :
         {std::pair{_ui->connectedTable, connectedColumnsKey}, std::pair{_ui->supportedTable, supportedColumnsKey}}) {
        QHeaderView* header = table->horizontalHeader();
        if (header->restoreState(settings.value(key).toByteArray()))
            header->setSortIndicator(-1, Qt::AscendingOrder);
    }
}

void AppWindow::saveWindowState() const
{
    QSettings settings;
    settings.setValue(geometryKey, _window->saveGeometry());
    settings.setValue(mainSplitterKey, _ui->mainSplitter->saveState());
    settings.setValue(tablesSplitterKey, _ui->tablesSplitter->saveState());
    settings.setValue(connectedColumnsKey, _ui->connectedTable->horizontalHeader()->saveState());
    settings.setValue(supportedColumnsKey, _ui->supportedTable->horizontalHeader()->saveState());
}
