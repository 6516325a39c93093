// The controller of the device window: two device tables (connected and supported drives),
// the details pane, the eject button and the main menu. The program has one (appWindow());
// its method groups live in the AppWindow*.cpp files named after them.
#pragma once

#include "Foundation/Array.h"
#include "Foundation/Dictionary.h"
#include "app/ExportPresenters.h"
#include "app/DiscRecording/DRDevice.h"
#include "app/DiscRecording/DRNotificationCenter.h"

#include <QObject>
#include <QPointer>
#include <QTableView>

#include <memory>

struct DeviceColumn;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMouseEvent;
class QMainWindow;
class QPrinter;
class QPushButton;
class QTextEdit;
class QToolButton;

namespace Ui {
class AppWindow;
}

class AppWindow final : public QObject
{
    Q_OBJECT
public:
    using ArrayPtr = std::shared_ptr<const tz::Array>;

    // The single instance: made and loaded (window shown) on the first call, the same one on
    // every later call. The caller keeps it alive; once all holders let go, the next call
    // makes a new one.
    [[nodiscard]] static std::shared_ptr<AppWindow> appWindow();

    // Empty tables and no row detailed; the layout loads on the first call of window().
    AppWindow();
    ~AppWindow() override;
    AppWindow(const AppWindow&) = delete;
    AppWindow& operator=(const AppWindow&) = delete;

    // The controller's window. The first call loads the layout "AppWindow" and runs windowDidLoad.
    QMainWindow* window();
    [[nodiscard]] bool isWindowLoaded() const { return _window != nullptr; }

    // Outlets: nullptr until the layout is loaded.
    [[nodiscard]] QTableView* connectedTable() const;
    [[nodiscard]] QTextEdit* detailText() const;
    [[nodiscard]] QTableView* supportedTable() const;
    [[nodiscard]] QLabel* count() const;
    [[nodiscard]] QPushButton* ejectButton() const;
    [[nodiscard]] QToolButton* iconButton() const;
    // Filters the supported table as the user types (model and manufacturer, any letter case).
    [[nodiscard]] QLineEdit* searchField() const;
    // Over the connected table while it has no rows: "No optical drives connected".
    [[nodiscard]] QLabel* emptyConnectedLabel() const { return _emptyConnectedLabel; }
    // The status bar's lasting text: the profile in use and where the drives come from.
    [[nodiscard]] QLabel* sourceLabel() const { return _sourceLabel; }
    // The menu a right click on a row opens: Eject, Copy, Save Details….
    [[nodiscard]] QMenu* rowContextMenu() const { return _rowContextMenu; }
    // A menu item by its name in the layout ("actionSaveConnectedsAsText", "actionPrintDocument",
    // ...); nullptr before loading or for an unknown name.
    [[nodiscard]] QAction* menuItem(const QString& objectName) const;

    // --- accessors: the row arrays are replaced whole, never changed in place.
    [[nodiscard]] const ArrayPtr& supporteds() const { return _supporteds; }
    void setSupporteds(const ArrayPtr& supporteds);
    [[nodiscard]] const ArrayPtr& connecteds() const { return _connecteds; }
    void setConnecteds(const ArrayPtr& connecteds);
    [[nodiscard]] QTableView* viewLastDetailed() const { return _viewLastDetailed; }
    void setViewLastDetailed(QTableView* view);
    [[nodiscard]] qint32 rowLastDetailed() const { return _rowLastDetailed; }
    void setRowLastDetailed(qint32 row) { _rowLastDetailed = row; }

    // --- device tables
    // One row per attached drive, in the service's order.
    void buildConnectedsTable();
    // One row per personality of the device-support profile, in file order.
    void buildSupportedTable();
    // buildSupportedTable, reloads supportedTable and sets the count label.
    void buildTables();

    // --- tableDataSourceMethods: nil, 0 or nil for a table that is neither of the two, and
    // for a row outside the table. Rows are in model order (the row arrays' order), whatever
    // order the tables are sorted in or which rows the search shows.
    [[nodiscard]] tz::DictionaryPtr tableViewDictForRow(const QTableView* table, int row) const;
    [[nodiscard]] int numberOfRowsInTableView(const QTableView* table) const;
    // The row's value under the column's identifier (a row key).
    [[nodiscard]] tz::Id tableViewObjectValueForTableColumnRow(const QTableView* table, const QString& columnIdentifier,
                                                               int row) const;

    // --- notificationHandlerMethods
    void handleDeviceListChangedNotice(const DRNotification& notification);
    void handleDeviceStatusChangedNotice(const DRNotification& notification);

    // --- tableDelegateMethods and the details pane. Rows here are model rows (see above);
    // the view's own rows are mapped to them.
    void tableViewSelectionDidChange(QTableView* table);
    // clickedRow: the model row the click hit, -1 for none.
    void doClick(QTableView* table, int clickedRow);
    void updateDetailsForTableRow(QTableView* table, int row);
    void updateDetailsForSelectedDeviceIfAppropriate();
    // The selected model row of a single-selection table; -1 when none is.
    [[nodiscard]] static int selectedRow(const QTableView* table);
    // Selects the model row in the table (mapped to where the view shows it); -1 clears.
    static void selectRow(QTableView* table, int row);

    // --- device actions
    // The drive the details pane shows, while it shows a connected row that is also selected;
    // nil otherwise (a supported drive, a drive that has left, another row highlighted).
    [[nodiscard]] DRDevicePtr detailedDevice() const;
    // The eject button and item: enabled exactly while there is a detailedDevice; "Close Tray"
    // while its tray is open, else "Eject".
    void updateEjectButton();
    // The eject button: acts on detailedDevice only; closes an open tray, else ejects the
    // medium. A failure is logged and shown in the status bar with its likely reason.
    void doEject(const QObject* sender);
    // A notice or failure in the status bar, where it stays until the next one.
    void showStatusMessage(const QString& message);
    // The selected row of a table as text: its cells in the order the columns are shown,
    // separated by tabs, ended by "\n"; empty without a selected row.
    [[nodiscard]] static QString selectedRowText(const QTableView* table);
    // Edit > Copy: the selected row of the focused table (else of the one the pane shows) to
    // the clipboard.
    void copySelectedRow();
    // Help > About: version, licence and the profile in use, in a box that does not block.
    [[nodiscard]] QString aboutText() const;
    void showAbout();
    // Whether a menu item is enabled now; the detail commands need details to act on.
    [[nodiscard]] bool validateMenuItem(const QAction* item) const;

    // --- privateMethods: export and printing. Menu items carry a "tag": 0 the connected
    // table, 1 the supported table; printDocument prints the whole window for any other tag.
    // The table as text (TableText): titles, then rows, in the current column order.
    [[nodiscard]] QString tableToText(const QTableView* table) const;
    // Writes the table's text atomically as UTF-8. False when that failed (logged); a file
    // already at the path is then left as it was.
    bool saveTableAsTextToPath(const QTableView* table, const QString& path);
    // Save panel (".txt", the suggested name); on cancel nothing. Else writes the table's text
    // (the rows the table shows, in its order) and has the file opened in the user's default
    // application; when the write failed, an alert names the file and the reason instead.
    void saveTableAsTextWithName(const QTableView* table, const QString& suggestedName);
    // Tag 0: the connected table as "Connected Devices"; tag 1: the supported table as
    // "Supported Burners"; any other tag: nothing.
    void doSaveTableAsText(const QObject* sender);
    // As saveTableAsTextWithName with the view's plain characters and "Item Detail.txt".
    void saveTextView(const QTextEdit* view);
    void doSaveDetailAsText(const QObject* sender);
    // Print dialog on a printer set up with the shared page layout, then prints the sender's
    // table (the rows it shows, in its order) or the whole window.
    void printDocument(const QObject* sender);
    void doPrintDetailView(const QObject* sender);
    void updateColumnMinWidthsForTable(QTableView* table);
    // Where a printed page of the table ends (TablePrinting::adjustPageHeightNew with the
    // table's row height).
    [[nodiscard]] static float adjustPageHeightNew(const QTableView& table, float top, float proposedBottom,
                                                   float limit);
    // The save panel, "open" and print dialog the commands above use; tests replace them.
    [[nodiscard]] ExportPresenters& exportPresenters() { return _exportPresenters; }

    // --- windowDelegateMethods
    // Stops the device notifications and remembers the window's geometry.
    void windowWillClose();

Q_SIGNALS:
    // Help > Burner Catalogue Help; the application delegate opens the help.
    void showHelpWindowRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void windowDidLoad();
    void setUpTable(QTableView* table, const QList<DeviceColumn>& columns);
    void connectMenuItems();
    void reloadData(QTableView* table);
    void validateDetailItems();
    // A press on a table's viewport: one below the rows is a click on no row.
    void tableViewportPressed(QTableView* table, const QMouseEvent& press);
    void tableContextMenuRequested(QTableView* table, const QPoint& position);
    void setUpStatusBar();
    void setUpEmptyState();
    void updateEmptyState();
    void fitModelColumn(QTableView* table);
    void reportDataFileProblems();
    [[nodiscard]] DRDevicePtr deviceAtRow(int row) const;
    [[nodiscard]] int rowOfDevice(const DRDevicePtr& device) const;
    bool saveTextToPath(const QString& text, const QString& path, QString* error = nullptr);
    // Saves; then opens the file, or alerts with the reason when it could not be written.
    void saveAndOpen(const QString& text, const QString& path);
    void print(const std::function<bool(QPrinter&)>& printOn);
    void restoreWindowState();
    void saveWindowState() const;

    std::unique_ptr<Ui::AppWindow> _ui;
    std::unique_ptr<QMainWindow> _window;
    ArrayPtr _supporteds;
    ArrayPtr _connecteds;
    QPointer<QTableView> _viewLastDetailed;
    qint32 _rowLastDetailed = -1;
    ExportPresenters _exportPresenters;
    QString _profileProblem; // what is wrong with the profile read last; empty when sound
    bool _restoringSelection = false;
    QLabel* _emptyConnectedLabel = nullptr;
    QLabel* _sourceLabel = nullptr;
    QMenu* _rowContextMenu = nullptr;
};
