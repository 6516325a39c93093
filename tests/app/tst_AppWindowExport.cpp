// Saving and printing from the device window, through injected save panel, "open" and print dialog.
#include "ScreenPicture.h"
#include "SimulatedDrives.h"
#include "support/StdErrCapture.h"
#include "app/AppWindow.h"
#include "app/PrintInfo.h"
#include "app/TablePrinting.h"
#include "app/DeviceSupportProfile.h"
#include "app/DiscRecording/DriveService.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QFileInfo>
#include <QTest>
#include <QTextEdit>

#include <csignal>
#include <optional>
#include <sys/resource.h>

using namespace testfiles;

class tst_AppWindowExport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void saveTableByTag_data();
    void saveTableByTag();
    void savesTheColumnsAsArranged();
    void cancelledSaveWritesNothing();
    void failedWriteKeepsTheEarlierFileAndIsLogged();
    void failedSaveAlertsAndOpensNothing_data();
    void failedSaveAlertsAndOpensNothing();
    void savesTheDetailsAsPlainText();
    void printsByTag_data();
    void printsByTag();
    void cancelledPrintPrintsNothing();
    void printsOnTheSharedPageLayout();
    void printedColumnsHoldTheirWholeText();

private:
    [[nodiscard]] QString path(const QString& name) const { return _dir.filePath(name); }
    [[nodiscard]] static QByteArray contents(const QString& file);
    // A menu item stand-in with a tag.
    [[nodiscard]] static std::unique_ptr<QObject> item(int tag);
    // Puts the test's stand-ins for the panels and the print dialog in the window.
    void usePresenters();

    QTemporaryDir _dir;
    DriveService _service;
    std::shared_ptr<AppWindow> _window;
    // What the injected presenters saw.
    QStringList _suggestedNames;
    QStringList _opened;
    QStringList _alerts;                                         // "message|reason"
    QString _chosenPath;                                         // null: the save panel is cancelled
    QString _pdf;                                                // null: the print dialog is cancelled
    std::optional<QPageLayout::Orientation> _printedOrientation; // the printer's, in the dialog
};

void tst_AppWindowExport::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setQuitOnLastWindowClosed(false);
    QVERIFY(write(path(QStringLiteral("profile.drprofile")),
                  profile({profileEntry(QStringLiteral("LG Electronics"), QStringLiteral("HL-DT-ST"),
                                        {QStringLiteral("GH24NSD1")}),
                           profileEntry(QString(), QStringLiteral("ASUS"), {QStringLiteral("DRW-24D5MT")})})));
    _service.install();
    _service.setSupportProfile(DeviceSupportProfile::readProfile(path(QStringLiteral("profile.drprofile"))));
    QVERIFY(write(path(QStringLiteral("drives.plist")),
                  simulation({drive(QStringLiteral("sr0"), QStringLiteral("HL-DT-ST"), QStringLiteral("GH24NSD1"),
                                    QStringLiteral("Internal"), QStringLiteral("SATA")),
                              drive(QStringLiteral("sr1"), QStringLiteral("NoName"), QStringLiteral("Slim 8X"),
                                    QStringLiteral("External"), QStringLiteral("USB"))})));
    _service.useSimulatedDrives(path(QStringLiteral("drives.plist")));
    QVERIFY(_service.waitForDrives());
}

void tst_AppWindowExport::init()
{
    QSettings().clear();
    _suggestedNames.clear();
    _opened.clear();
    _alerts.clear();
    _printedOrientation.reset();
    _chosenPath = path(QStringLiteral("saved.txt"));
    _pdf = path(QStringLiteral("printed.pdf"));
    QFile::remove(_chosenPath);
    QFile::remove(_pdf);
    _window = AppWindow::appWindow(_service);
    QTRY_COMPARE(_window->numberOfRowsInTableView(_window->connectedTable()), 2);
    usePresenters();
}

void tst_AppWindowExport::usePresenters()
{
    ExportPresenters& presenters = _window->exportPresenters();
    presenters.savePanel = [this](QWidget*, const QString& name, const QString& extension) {
        _suggestedNames.append(name);
        return extension == QLatin1String("txt") ? _chosenPath : QStringLiteral("wrong extension");
    };
    presenters.open = [this](const QString& file) { _opened.append(file); };
    presenters.alert = [this](QWidget*, const QString& message, const QString& reason) {
        _alerts.append(message + u'|' + reason);
    };
    presenters.printDialog = [this](QPrinter& printer, QWidget*) {
        if (_pdf.isNull())
            return false;
        _printedOrientation = printer.pageLayout().orientation();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(_pdf);
        return true;
    };
}

void tst_AppWindowExport::cleanup()
{
    _window.reset();
}

QByteArray tst_AppWindowExport::contents(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::unique_ptr<QObject> tst_AppWindowExport::item(int tag)
{
    auto sender = std::make_unique<QObject>();
    sender->setProperty("tag", tag);
    return sender;
}

void tst_AppWindowExport::saveTableByTag_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("suggestedName"); // null: nothing happens
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("0: connected") << 0 << QStringLiteral("Connected Devices")
                                  << QByteArray("Model\tManufacturer\tSupported\n"
                                                "HL-DT-ST GH24NSD1, Internal via SATA\tHL-DT-ST\tSupported\n"
                                                "NoName Slim 8X, External via USB\tNoName\tUnsupported\n");
    QTest::newRow("1: supported") << 1 << QStringLiteral("Supported Burners")
                                  << QByteArray("Model\tManufacturer\n"
                                                "GH24NSD1\tLG Electronics / HL-DT-ST\n"
                                                "DRW-24D5MT\tASUS\n");
    QTest::newRow("2: nothing") << 2 << QString() << QByteArray();
    QTest::newRow("-1: nothing") << -1 << QString() << QByteArray();
}

void tst_AppWindowExport::saveTableByTag()
{
    QFETCH(int, tag);
    QFETCH(QString, suggestedName);
    QFETCH(QByteArray, text);
    const auto sender = item(tag);
    _window->doSaveTableAsText(sender.get());
    if (suggestedName.isNull()) {
        QVERIFY(_suggestedNames.isEmpty());
        QVERIFY(!QFile::exists(_chosenPath));
        QVERIFY(_opened.isEmpty());
        return;
    }
    QCOMPARE(_suggestedNames, QStringList{suggestedName});
    QCOMPARE(contents(_chosenPath), text);
    QCOMPARE(_opened, QStringList{_chosenPath});
}

void tst_AppWindowExport::savesTheColumnsAsArranged()
{
    _window->connectedTable()->horizontalHeader()->moveSection(2, 0);
    const auto sender = item(0);
    _window->doSaveTableAsText(sender.get());
    QVERIFY(contents(_chosenPath).startsWith("Supported\tModel\tManufacturer\nSupported\tHL-DT-ST GH24NSD1"));
}

void tst_AppWindowExport::cancelledSaveWritesNothing()
{
    _chosenPath = QString();
    const auto sender = item(1);
    _window->doSaveTableAsText(sender.get());
    _window->detailText()->setPlainText(QStringLiteral("details"));
    _window->doSaveDetailAsText(nullptr);
    QCOMPARE(_suggestedNames, (QStringList{QStringLiteral("Supported Burners"), QStringLiteral("Item Detail.txt")}));
    QCOMPARE(QDir(_dir.path()).entryList({QStringLiteral("*.txt")}), QStringList());
    QVERIFY(_opened.isEmpty());
}

void tst_AppWindowExport::failedWriteKeepsTheEarlierFileAndIsLogged()
{
    // A supported table of some 3000 bytes, on a disk that fills up after 1000.
    QStringList products;
    for (int i = 0; i < 100; ++i)
        products.append(QStringLiteral("Writer %1").arg(i, 3, 10, QLatin1Char('0')));
    QVERIFY(write(path(QStringLiteral("long.drprofile")),
                  profile({profileEntry(QStringLiteral("ACME"), QStringLiteral("ACME"), products)})));
    _service.setSupportProfile(DeviceSupportProfile::readProfile(path(QStringLiteral("long.drprofile"))));
    _window.reset();
    _window = AppWindow::appWindow(_service);
    _service.setSupportProfile(DeviceSupportProfile::readProfile(path(QStringLiteral("profile.drprofile"))));
    _window->exportPresenters().savePanel = [this](QWidget*, const QString&, const QString&) { return _chosenPath; };
    _window->exportPresenters().open = [this](const QString& file) { _opened.append(file); };
    _window->exportPresenters().alert = [this](QWidget*, const QString& message, const QString& reason) {
        _alerts.append(message + u'|' + reason);
    };
    QVERIFY(_window->tableToText(_window->supportedTable()).size() > 2000);
    QVERIFY(write(_chosenPath, QStringLiteral("earlier")));

    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 1000;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    StdErrCapture capture; // the log lines are shorter than the limit
    const auto sender = item(1);
    _window->doSaveTableAsText(sender.get());
    const bool direct = _window->saveTableAsTextToPath(_window->supportedTable(), _chosenPath);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    const QByteArray log = capture.text();

    QVERIFY(!direct);
    QCOMPARE(contents(_chosenPath), QByteArray("earlier"));
    QCOMPARE(QDir(_dir.path()).entryList(QDir::Files).filter(QStringLiteral("saved")),
             QStringList{QStringLiteral("saved.txt")});
    QCOMPARE(log.count("Could not write"), 2);
    QVERIFY(log.contains("AppWindowPrivateMethods.cpp"));
    // The user is told, and nothing is opened as if it had worked.
    QCOMPARE(_opened, QStringList());
    QCOMPARE(_alerts.size(), 1);
    QVERIFY2(
        _alerts.first().startsWith(QStringLiteral("The file \u201c%1\u201d could not be saved.|").arg(_chosenPath)),
        qPrintable(_alerts.first()));
    QVERIFY2(_alerts.first().section(u'|', 1).size() > 3, qPrintable(_alerts.first()));
}

void tst_AppWindowExport::failedSaveAlertsAndOpensNothing_data()
{
    QTest::addColumn<int>("tag"); // 0, 1: a table; -1: the details
    QTest::newRow("connected table") << 0;
    QTest::newRow("supported table") << 1;
    QTest::newRow("details") << -1;
}

void tst_AppWindowExport::failedSaveAlertsAndOpensNothing()
{
    QFETCH(int, tag);
    // A "folder" that is a plain file: no one can save in it, root included.
    QVERIFY(write(path(QStringLiteral("plain")), QStringLiteral("x")));
    _chosenPath = path(QStringLiteral("plain/saved.txt"));
    _window->detailText()->setPlainText(QStringLiteral("Device Information"));
    StdErrCapture capture;
    if (tag < 0) {
        _window->doSaveDetailAsText(nullptr);
    } else {
        const auto sender = item(tag);
        _window->doSaveTableAsText(sender.get());
    }
    QCOMPARE(_opened, QStringList());
    QCOMPARE(_alerts.size(), 1);
    const QString message = _alerts.first().section(u'|', 0, 0);
    const QString reason = _alerts.first().section(u'|', 1);
    QVERIFY2(message.contains(_chosenPath), qPrintable(message));
    QVERIFY2(reason.contains(QStringLiteral("directory"), Qt::CaseInsensitive)
                 || reason.contains(QStringLiteral("No such file"), Qt::CaseInsensitive),
             qPrintable(reason));
}

void tst_AppWindowExport::savesTheDetailsAsPlainText()
{
    _window->detailText()->setHtml(QStringLiteral("<b>Device Information</b><br>caf\u00e9 \u2014 ok"));
    _window->doSaveDetailAsText(nullptr);
    QCOMPARE(_suggestedNames, QStringList{QStringLiteral("Item Detail.txt")});
    QCOMPARE(QString::fromUtf8(contents(_chosenPath)), QStringLiteral("Device Information\ncaf\u00e9 \u2014 ok"));
    QCOMPARE(_opened, QStringList{_chosenPath});
}

void tst_AppWindowExport::printsByTag_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("expectedText"); // a text the PDF holds; "" for the window (drawn, not text)
    QTest::newRow("0: connected table") << 0 << QStringLiteral("NoName Slim 8X");
    QTest::newRow("1: supported table") << 1 << QStringLiteral("DRW-24D5MT");
    QTest::newRow("2: the window") << 2 << QString(); // drawn as pictures, not text
    QTest::newRow("details") << -2 << QStringLiteral("Device Information");
}

void tst_AppWindowExport::printsByTag()
{
    QFETCH(int, tag);
    QFETCH(QString, expectedText);
    if (tag == -2) {
        _window->detailText()->setPlainText(QStringLiteral("Device Information\nx"));
        _window->doPrintDetailView(nullptr);
    } else {
        const auto sender = item(tag);
        _window->printDocument(sender.get());
    }
    const QByteArray pdf = contents(_pdf);
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY(pdf.contains("/Type /Page\n") || pdf.contains("/Type /Page "));

    // What was printed, read back from the PDF.
    QProcess toText;
    toText.start(QStringLiteral("pdftotext"), {_pdf, QStringLiteral("-")});
    QVERIFY(toText.waitForFinished(20000));
    const QString text = QString::fromUtf8(toText.readAllStandardOutput());
    QVERIFY2(text.contains(expectedText), qPrintable(text));
    if (tag == 2) {
        // The whole window: a page that is not blank.
        QProcess render;
        render.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-singlefile"),
                      _pdf, path(QStringLiteral("page"))});
        QVERIFY(render.waitForFinished(20000));
        const QImage page(path(QStringLiteral("page.png")));
        QVERIFY(!page.isNull());
        const int colours = picture::distinctColours(page);
        QVERIFY2(colours > 20, qPrintable(QString::number(colours)));
    }
    if (tag == 0)
        QVERIFY(!text.contains(QStringLiteral("DRW-24D5MT")));
}

void tst_AppWindowExport::cancelledPrintPrintsNothing()
{
    _pdf = QString();
    const auto sender = item(2);
    _window->printDocument(sender.get());
    QVERIFY(QDir(_dir.path()).entryList({QStringLiteral("*.pdf")}).isEmpty());
}

void tst_AppWindowExport::printsOnTheSharedPageLayout()
{
    // The default settings print upright.
    const auto window = item(2);
    _window->printDocument(window.get());
    QVERIFY(_printedOrientation);
    QCOMPARE(*_printedOrientation, QPageLayout::Portrait);

    // Landscape settings reach the printer, and the page comes out wider than tall.
    _window.reset();
    auto settings = std::make_shared<PrintInfo>();
    QPageLayout layout = settings->pageLayout();
    layout.setOrientation(QPageLayout::Landscape);
    settings->setPageLayout(layout);
    _window = AppWindow::appWindow(_service, settings);
    usePresenters();
    QFile::remove(_pdf);
    _printedOrientation.reset();
    _window->printDocument(window.get());
    QVERIFY(_printedOrientation);
    QCOMPARE(*_printedOrientation, QPageLayout::Landscape);
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-singlefile"),
                  _pdf, path(QStringLiteral("wide"))});
    QVERIFY(render.waitForFinished(20000));
    const QImage page(path(QStringLiteral("wide.png")));
    QVERIFY(!page.isNull());
    QVERIFY2(page.width() > page.height(), qPrintable(QStringLiteral("%1x%2").arg(page.width()).arg(page.height())));
}

void tst_AppWindowExport::printedColumnsHoldTheirWholeText()
{
    QTableView* table = _window->connectedTable();
    QHeaderView* header = table->horizontalHeader();
    header->resizeSection(0, 30);
    header->resizeSection(1, 400);
    header->moveSection(2, 0); // Supported first
    const QList<int> widths = TablePrinting::printedColumnWidths(*table);
    QCOMPARE(widths.size(), 3);
    // The narrowed Model column widens to its longest text; the wide one keeps its width.
    const QFontMetrics metrics(table->font());
    int longest = 0;
    for (int row = 0; row < table->model()->rowCount(); ++row)
        longest = std::max(longest, metrics.horizontalAdvance(table->model()->index(row, 0).data().toString()));
    QVERIFY(longest > 30);
    QVERIFY2(widths.at(1) > longest, qPrintable(QString::number(widths.at(1))));
    QCOMPARE(widths.at(2), 400);
    QVERIFY(widths.at(0) >= metrics.horizontalAdvance(QStringLiteral("Unsupported")));

    // And the printout is still made.
    const auto sender = item(0);
    _window->printDocument(sender.get());
    QVERIFY(QFileInfo(_pdf).size() > 0);
}

QTEST_MAIN(tst_AppWindowExport)
#include "tst_AppWindowExport.moc"
