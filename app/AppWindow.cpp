#include "app/AppWindow.h"

#include "Foundation/LogLine.h"
#include "app/DeviceRows.h"
#include "app/DeviceTableModel.h"
#include "app/DiscRecording/DRConstants.h"
#include "app/DiscRecording/DriveService.h"
#include "app/PrintInfo.h"
#include "ui_AppWindow.h"

#include <QHeaderView>
#include <QStatusBar>

namespace {
// The instance appWindow() hands out; its holders keep it alive.
std::weak_ptr<AppWindow> result;
} // namespace

std::shared_ptr<AppWindow> AppWindow::appWindow(DriveService& service, std::shared_ptr<const PrintInfo> printInfo)
{
    if (auto existing = result.lock())
        return existing;
    auto instance = std::make_shared<AppWindow>(service, std::move(printInfo));
    result = instance;
    instance->window();
    return instance;
}

AppWindow::AppWindow(DriveService& service, std::shared_ptr<const PrintInfo> printInfo)
    : _service(service),
      _printInfo(printInfo ? std::move(printInfo) : std::make_shared<const PrintInfo>()),
      _supporteds(tz::Array::make()),
      _connecteds(tz::Array::make())
{
}

AppWindow::~AppWindow()
{
    _service.notificationCenter()->removeObserverNameObject(this, {}, {});
    // The window goes while the rows are still here: hiding its tables asks the data source.
    if (_window) {
        _window->close();
        _window.reset();
    }
}

QMainWindow* AppWindow::window()
{
    if (!_window) {
        _window = std::make_unique<QMainWindow>();
        _ui = std::make_unique<Ui::AppWindow>();
        _ui->setupUi(_window.get());
        setUpTable(_ui->connectedTable, DeviceColumns::connectedColumns());
        setUpTable(_ui->supportedTable, DeviceColumns::supportedColumns());
        connectMenuItems();
        connect(_ui->ejectButton, &QPushButton::clicked, this, [this] { doEject(_ui->ejectButton); });
        _window->installEventFilter(this);
        restoreWindowState();
        windowDidLoad();
    }
    return _window.get();
}

void AppWindow::windowDidLoad()
{
    // The picture fills its button.
    _ui->iconButton->setIconSize(_ui->iconButton->size());

    buildTables();
    _window->centralWidget()->update();

    DRNotificationCenter* center = _service.notificationCenter();
    center->addObserverSelectorNameObject(this, &AppWindow::handleDeviceListChangedNotice,
                                          DRDeviceAppearedNotification, {});
    center->addObserverSelectorNameObject(this, &AppWindow::handleDeviceListChangedNotice,
                                          DRDeviceDisappearedNotification, {});
    center->addObserverSelectorNameObject(this, &AppWindow::handleDeviceStatusChangedNotice,
                                          DRDeviceStatusChangedNotification, {});

    updateColumnMinWidthsForTable(_ui->connectedTable);
    updateColumnMinWidthsForTable(_ui->supportedTable);
    _window->show();
}

void AppWindow::setUpTable(QTableView* table, const QList<DeviceColumn>& columns)
{
    table->setModel(new DeviceTableModel(this, table, columns));
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
    table->setShowGrid(false);
    table->verticalHeader()->hide();
    // Fixed row heights keep long tables cheap to lay out.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionsMovable(true);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setDefaultSectionSize(200);
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, table] { tableViewSelectionDidChange(table); });
    connect(table, &QAbstractItemView::clicked, this,
            [this, table](const QModelIndex& index) { doClick(table, index.row()); });
    // A click below the rows reaches no index: eventFilter sees it on the viewport.
    table->viewport()->installEventFilter(this);
}

void AppWindow::connectMenuItems()
{
    const auto route = [this](QAction* item, void (AppWindow::*action)(const QObject*)) {
        connect(item, &QAction::triggered, this, [this, item, action] { (this->*action)(item); });
    };
    route(_ui->actionSaveConnectedsAsText, &AppWindow::doSaveTableAsText);
    route(_ui->actionSaveSupportedsAsText, &AppWindow::doSaveTableAsText);
    route(_ui->actionSaveDetailAsText, &AppWindow::doSaveDetailAsText);
    route(_ui->actionPrintConnecteds, &AppWindow::printDocument);
    route(_ui->actionPrintSupporteds, &AppWindow::printDocument);
    route(_ui->actionPrintDocument, &AppWindow::printDocument);
    route(_ui->actionPrintDetailView, &AppWindow::doPrintDetailView);
    connect(_ui->actionClose, &QAction::triggered, _window.get(), &QWidget::close);
    connect(_ui->actionShowHelpWindow, &QAction::triggered, this, &AppWindow::showHelpWindowRequested);
    connect(_ui->fileMenu, &QMenu::aboutToShow, this, [this] {
        for (QAction* item : _ui->fileMenu->actions())
            item->setEnabled(validateMenuItem(item));
    });
    // Their shortcuts work without the menu being opened, so they follow the details as they change.
    connect(_ui->detailText, &QTextEdit::textChanged, this, &AppWindow::validateDetailItems);
    validateDetailItems();
}

void AppWindow::validateDetailItems()
{
    _ui->actionSaveDetailAsText->setEnabled(validateMenuItem(_ui->actionSaveDetailAsText));
    _ui->actionPrintDetailView->setEnabled(validateMenuItem(_ui->actionPrintDetailView));
}

void AppWindow::reloadData(QTableView* table)
{
    if (auto* model = qobject_cast<DeviceTableModel*>(table->model()))
        model->reloadData();
}

QTableView* AppWindow::connectedTable() const
{
    return _ui ? _ui->connectedTable : nullptr;
}

QTextEdit* AppWindow::detailText() const
{
    return _ui ? _ui->detailText : nullptr;
}

QTableView* AppWindow::supportedTable() const
{
    return _ui ? _ui->supportedTable : nullptr;
}

QLabel* AppWindow::count() const
{
    return _ui ? _ui->count : nullptr;
}

QPushButton* AppWindow::ejectButton() const
{
    return _ui ? _ui->ejectButton : nullptr;
}

QToolButton* AppWindow::iconButton() const
{
    return _ui ? _ui->iconButton : nullptr;
}

QAction* AppWindow::menuItem(const QString& objectName) const
{
    return _window ? _window->findChild<QAction*>(objectName) : nullptr;
}

void AppWindow::doEject([[maybe_unused]] const QObject* sender)
{
    QTableView* connected = connectedTable();
    const int row = connected ? selectedRow(connected) : -1;
    if (row == -1)
        return;
    const tz::DictionaryPtr dict = tableViewDictForRow(connected, row);
    const auto device = dict ? tz::cast<DRDevice>(dict->objectForKey(deviceKey)) : nullptr;
    if (!device)
        return;
    if (_ejectPending)
        return;
    setEjectPending(true);
    const bool closing = device->trayIsOpen();
    const auto answered = [this, device, closing](bool ok) {
        setEjectPending(false);
        if (ok)
            return;
        const QString name = device->displayName();
        if (!closing)
            TZ_LOG_LINE("-[AppWindow doEject:]", "Device %@ failed to open", name);
        if (_window)
            _window->statusBar()->showMessage(closing ? tz::format("Device %@ failed to close", name)
                                                      : tz::format("Device %@ failed to open", name));
    };
    if (closing)
        device->closeTray(this, answered);
    else
        device->ejectMedia(this, answered);
}

void AppWindow::setEjectPending(bool pending)
{
    _ejectPending = pending;
    updateEjectButton();
}

void AppWindow::updateEjectButton()
{
    if (_ui)
        _ui->ejectButton->setEnabled(!_ejectPending && _rowSelectedLast);
}

bool AppWindow::validateMenuItem(const QAction* item) const
{
    if (_ui && (item == _ui->actionPrintDetailView || item == _ui->actionSaveDetailAsText))
        return !_ui->detailText->document()->isEmpty();
    return true;
}
