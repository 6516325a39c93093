#include "app/AppWindow.h"

#include "Foundation/LogLine.h"
#include "app/DeviceRows.h"
#include "app/DeviceTableModel.h"
#include "app/DiscRecording/DRConstants.h"
#include "app/DiscRecording/DriveService.h"
#include "app/PrintInfo.h"
#include "ui_AppWindow.h"

#include <QApplication>
#include <QMenu>

#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QSortFilterProxyModel>

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
{}

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
        setUpEmptyState();
        setUpStatusBar();
        connectMenuItems();
        connect(_ui->ejectButton, &QPushButton::clicked, this, [this] { doEject(_ui->ejectButton); });
        connect(_ui->searchField, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (auto* proxy = qobject_cast<QSortFilterProxyModel*>(_ui->supportedTable->model()))
                proxy->setFilterFixedString(text);
        });
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
    center->addObserverSelectorNameObject(this, &AppWindow::handleDeviceListChangedNotice, DRDeviceAppearedNotification,
                                          {});
    center->addObserverSelectorNameObject(this, &AppWindow::handleDeviceListChangedNotice,
                                          DRDeviceDisappearedNotification, {});
    center->addObserverSelectorNameObject(this, &AppWindow::handleDeviceStatusChangedNotice,
                                          DRDeviceStatusChangedNotification, {});

    updateColumnMinWidthsForTable(_ui->connectedTable);
    updateColumnMinWidthsForTable(_ui->supportedTable);
    updateEmptyState();
    reportDataFileProblems();
    _window->show();
}

void AppWindow::setUpTable(QTableView* table, const QList<DeviceColumn>& columns)
{
    // The view sorts and filters through a proxy; the model keeps the rows' own order.
    auto* proxy = new QSortFilterProxyModel(table);
    proxy->setSourceModel(new DeviceTableModel(this, table, columns));
    proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    proxy->setFilterKeyColumn(-1);
    proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
    proxy->setSortLocaleAware(true);
    table->setModel(proxy);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab moves on to the next control; the arrow keys move between rows.
    table->setTabKeyNavigation(false);
    // Unsorted until the user clicks a header; a third click returns to the rows' own order.
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table->horizontalHeader()->setSortIndicatorClearable(true);
    table->setSortingEnabled(true);
    table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table, &QWidget::customContextMenuRequested, this,
            [this, table](const QPoint& position) { tableContextMenuRequested(table, position); });
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
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, table] {
        if (!_restoringSelection)
            tableViewSelectionDidChange(table);
    });
    connect(table, &QAbstractItemView::clicked, this, [this, table](const QModelIndex& index) {
        doClick(table, DeviceTableModel::modelRow(table, index.row()));
    });
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
    connect(_ui->actionQuit, &QAction::triggered, this, [] {
        // Every window closes as if by its close button (settings are saved), then the program ends.
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    });
    connect(_ui->actionShowHelpWindow, &QAction::triggered, this, &AppWindow::showHelpWindowRequested);
    connect(_ui->actionAbout, &QAction::triggered, this, &AppWindow::showAbout);
    connect(_ui->actionEject, &QAction::triggered, this, [this] { doEject(_ui->actionEject); });
    connect(_ui->actionCopy, &QAction::triggered, this, &AppWindow::copySelectedRow);
    connect(_ui->actionFind, &QAction::triggered, this, [this] {
        _ui->searchField->setFocus(Qt::ShortcutFocusReason);
        _ui->searchField->selectAll();
    });
    // A right click on a row offers what can be done with it.
    _rowContextMenu = new QMenu(_window.get());
    _rowContextMenu->setObjectName(QStringLiteral("rowContextMenu"));
    _rowContextMenu->addAction(_ui->actionEject);
    _rowContextMenu->addAction(_ui->actionCopy);
    _rowContextMenu->addAction(_ui->actionSaveDetailAsText);
    setUpMenuValidation();
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
    if (auto* model = DeviceTableModel::of(table))
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

QLineEdit* AppWindow::searchField() const
{
    return _ui ? _ui->searchField : nullptr;
}

QAction* AppWindow::menuItem(const QString& objectName) const
{
    return _window ? _window->findChild<QAction*>(objectName) : nullptr;
}

DRDevicePtr AppWindow::deviceAtRow(int row) const
{
    const tz::DictionaryPtr dict = row == -1 ? nullptr : tableViewDictForRow(connectedTable(), row);
    return dict ? tz::cast<DRDevice>(dict->objectForKey(deviceKey)) : nullptr;
}

int AppWindow::rowOfDevice(const DRDevicePtr& device) const
{
    const int rows = device ? numberOfRowsInTableView(connectedTable()) : 0;
    for (int row = 0; row < rows; ++row) {
        if (deviceAtRow(row) == device)
            return row;
    }
    return -1;
}

DRDevicePtr AppWindow::detailedDevice() const
{
    QTableView* connected = connectedTable();
    if (!connected || _viewLastDetailed != connected || _rowLastDetailed == -1
        || selectedRow(connected) != _rowLastDetailed)
        return nullptr;
    return deviceAtRow(_rowLastDetailed);
}

void AppWindow::updateEjectButton()
{
    if (!_ui)
        return;
    const DRDevicePtr device = detailedDevice();
    const QString label = device && device->trayIsOpen() ? QStringLiteral("Close Tray") : QStringLiteral("Eject");
    for (QAction* action : {_ui->actionEject})
        action->setText(label);
    _ui->ejectButton->setText(label);
    _ui->ejectButton->setEnabled(device && !_ejectPending);
    _ui->actionEject->setEnabled(device && !_ejectPending);
}

namespace {

// Why a drive most likely refused to open, from what can be seen of it afterwards.
QString ejectFailureReason(const DRDevice& device)
{
    const tz::DictionaryPtr status = device.status();
    const tz::Id mounted = status ? status->objectForKey(DRDeviceMediaIsMountedKey) : tz::Id();
    if (mounted && mounted->boolValue().value_or(false))
        return QStringLiteral("its disc is mounted; unmount it first");
    const QFileInfo node(device.identifier());
    if (device.identifier().startsWith(u'/') && node.exists() && !node.isReadable())
        return QStringLiteral("no permission to use %1").arg(device.identifier());
    return QStringLiteral("the drive is busy or refused");
}

} // namespace

void AppWindow::doEject([[maybe_unused]] const QObject* sender)
{
    const DRDevicePtr device = detailedDevice();
    if (!device)
        return;
    if (_ejectPending)
        return;
    setEjectPending(true);
    // The drive answers later, on this thread; the button waits until then.
    const bool closing = device->trayIsOpen();
    const auto answered = [this, device, closing](bool ok) {
        setEjectPending(false);
        if (ok)
            return;
        if (closing) {
            showStatusMessage(QStringLiteral("Device %1 failed to close").arg(device->displayName()));
            return;
        }
        TZ_LOG_LINE("-[AppWindow doEject:]", "Device %@ failed to open", device->displayName());
        showStatusMessage(
            QStringLiteral("Device %1 failed to open: %2").arg(device->displayName(), ejectFailureReason(*device)));
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
