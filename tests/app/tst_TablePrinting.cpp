#include "app/TablePrinting.h"

#include <QHeaderView>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

using namespace Qt::StringLiterals;

class tst_TablePrinting : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void adjustPageHeightNew_data();
    void adjustPageHeightNew();
    void tablePagesBreakBetweenRows_data();
    void tablePagesBreakBetweenRows();
    void widgetFillsOnePage();
    void smallPrintoutsAreCentredAsAsked_data();
    void smallPrintoutsAreCentredAsAsked();
    void textDocument();
    void unwritableOutputReportsFailure();
};

namespace {

void setUpPdf(QPrinter& printer, const QString& path, QPageSize::PageSizeId size)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(size));
}

// The text of each page, laid out as on paper.
QStringList pdfPages(const QString& path)
{
    QProcess process;
    process.start(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    if (!process.waitForFinished() || process.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

} // namespace

void tst_TablePrinting::adjustPageHeightNew_data()
{
    QTest::addColumn<float>("top");
    QTest::addColumn<float>("proposedBottom");
    QTest::addColumn<float>("rowHeight");
    QTest::addColumn<float>("spacing");
    QTest::addColumn<float>("expected");

    QTest::newRow("page of 100 holds five rows of 17 + 2") << 0.0f << 100.0f << 17.0f << 2.0f << 95.0f;
    QTest::newRow("later page measured from its top") << 95.0f << 195.0f << 17.0f << 2.0f << 190.0f;
    QTest::newRow("exact fit unchanged") << 10.0f << 67.0f << 17.0f << 2.0f << 67.0f;
    QTest::newRow("fractional step") << 0.0f << 50.0f << 16.5f << 0.0f << 49.5f;
    QTest::newRow("shorter than one row: the page as proposed") << 40.0f << 50.0f << 17.0f << 2.0f << 50.0f;
    QTest::newRow("no row height: the page as proposed") << 0.0f << 100.0f << 0.0f << 0.0f << 100.0f;
}

void tst_TablePrinting::adjustPageHeightNew()
{
    QFETCH(float, top);
    QFETCH(float, proposedBottom);
    QFETCH(float, rowHeight);
    QFETCH(float, spacing);
    QFETCH(float, expected);
    // The limit plays no part.
    for (const float limit : {0.0f, proposedBottom, 1.0e6f})
        QCOMPARE(TablePrinting::adjustPageHeightNew(top, proposedBottom, limit, rowHeight, spacing), expected);
}

void tst_TablePrinting::tablePagesBreakBetweenRows_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("columnWidth");
    QTest::addColumn<int>("rowHeight");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("minimumPages");
    QTest::addColumn<bool>("rearranged");    // column 2 moved to the front, column 1 hidden
    QTest::addColumn<QList<int>>("printed"); // columns in the order expected on paper

    QTest::newRow("narrow table") << 2 << 100 << 30 << 60 << 3 << false << QList<int>{0, 1};
    // Shrunk to the page's width, so many more rows fit on a page.
    QTest::newRow("table wider than the page")
        << 8 << 250 << 23 << 400 << 3 << false << QList<int>{0, 1, 2, 3, 4, 5, 6, 7};
    // Shrunk until the header and one row fit: one whole row per page.
    QTest::newRow("rows taller than a page") << 2 << 100 << 900 << 5 << 5 << false << QList<int>{0, 1};
    QTest::newRow("moved and hidden columns") << 3 << 100 << 30 << 60 << 3 << true << QList<int>{2, 0};
    QTest::newRow("empty table: the header alone") << 2 << 100 << 30 << 0 << 1 << false << QList<int>{0, 1};
}

// Every row must appear whole (all its cells on one line) on exactly one page, the pages must
// follow each other without gaps, and every page starts with the header.
void tst_TablePrinting::tablePagesBreakBetweenRows()
{
    QFETCH(int, columns);
    QFETCH(int, columnWidth);
    QFETCH(int, rowHeight);
    QFETCH(int, rows);
    QFETCH(int, minimumPages);
    QFETCH(bool, rearranged);
    QFETCH(QList<int>, printed);
    QStandardItemModel model(rows, columns);
    QStringList titles;
    for (int c = 0; c < columns; ++c)
        titles << u"Title%1"_s.arg(c);
    model.setHorizontalHeaderLabels(titles);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            model.setItem(r, c, new QStandardItem(u"r%1c%2"_s.arg(r, 3, 10, QChar(u'0')).arg(c)));
    QTableView table;
    table.setModel(&model);
    table.horizontalHeader()->setDefaultSectionSize(columnWidth);
    table.verticalHeader()->setDefaultSectionSize(rowHeight);
    table.verticalHeader()->setMinimumSectionSize(1);
    if (rearranged) {
        table.horizontalHeader()->moveSection(2, 0);
        table.setColumnHidden(1, true);
    }
    QStringList printedTitles;
    for (const int c : std::as_const(printed))
        printedTitles << titles[c];

    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"table.pdf"_s);
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, pdf, QPageSize::A6);
    QVERIFY(TablePrinting::printTable(table, printer));

    const QStringList pages = pdfPages(pdf);
    QVERIFY2(pages.size() >= minimumPages, qPrintable(QString::number(pages.size())));
    if (rows == 0)
        QCOMPARE(pages.size(), 1);
    const QRegularExpression cell(u"r\\d+c\\d"_s);
    int nextRow = 0;
    QList<int> rowsPerPage;
    for (const QString& page : pages) {
        const QStringList lines = page.split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(!lines.isEmpty());
        QCOMPARE(lines.first().simplified(), printedTitles.join(u' '));
        int onPage = 0;
        for (const QString& line : lines.mid(1)) {
            QStringList found;
            for (auto it = cell.globalMatch(line); it.hasNext();)
                found << it.next().captured(0);
            QStringList whole;
            for (const int c : std::as_const(printed))
                whole << u"r%1c%2"_s.arg(nextRow, 3, 10, QChar(u'0')).arg(c);
            QCOMPARE(found, whole);
            ++nextRow;
            ++onPage;
        }
        rowsPerPage << onPage;
    }
    QCOMPARE(nextRow, rows);
    // Full pages hold the same whole number of rows; only the last may hold fewer.
    for (qsizetype i = 1; i + 1 < rowsPerPage.size(); ++i)
        QCOMPARE(rowsPerPage[i], rowsPerPage.first());
    QVERIFY(rowsPerPage.last() <= rowsPerPage.first());
}

void tst_TablePrinting::smallPrintoutsAreCentredAsAsked_data()
{
    QTest::addColumn<bool>("table");
    QTest::addColumn<bool>("horizontally");
    QTest::addColumn<bool>("vertically");
    for (const bool table : {false, true}) {
        const char* what = table ? "table" : "window";
        QTest::addRow("%s at the top left", what) << table << false << false;
        QTest::addRow("%s centred across", what) << table << true << false;
        QTest::addRow("%s centred down", what) << table << false << true;
        QTest::addRow("%s centred both ways", what) << table << true << true;
    }
}

void tst_TablePrinting::smallPrintoutsAreCentredAsAsked()
{
    QFETCH(bool, table);
    QFETCH(bool, horizontally);
    QFETCH(bool, vertically);
    // Red where the printout is; both are far smaller than the page.
    QWidget widget;
    widget.resize(150, 80);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, Qt::red);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
    QStandardItemModel model(3, 2);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) {
            auto* item = new QStandardItem(u"cell"_s);
            item->setBackground(Qt::red);
            model.setItem(r, c, item);
        }
    QTableView view;
    view.setModel(&model);
    view.horizontalHeader()->setDefaultSectionSize(120);
    view.horizontalHeader()->setStretchLastSection(false);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"small.pdf"_s);
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, pdf, QPageSize::A5);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    const TablePrinting::Centering centering{horizontally, vertically};
    QVERIFY(table ? TablePrinting::printTable(view, printer, centering)
                  : TablePrinting::printWidget(widget, printer, centering));

    const QString png = dir.filePath(u"small"_s);
    QCOMPARE(QProcess::execute(u"pdftoppm"_s, {u"-r"_s, u"30"_s, u"-png"_s, u"-singlefile"_s, pdf, png}), 0);
    const QImage image(png + u".png"_s);
    QVERIFY(!image.isNull());
    QRect red;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor color = image.pixelColor(x, y);
            if (color.red() > 200 && color.green() < 80 && color.blue() < 80)
                red |= QRect(x, y, 1, 1);
        }
    QVERIFY(!red.isEmpty());
    QVERIFY2(red.width() < image.width() / 2 && red.height() < image.height() / 2, "the printout is not small");
    const int left = red.left();
    const int right = image.width() - 1 - red.right();
    const int top = red.top();
    const int bottom = image.height() - 1 - red.bottom();
    const QString gaps = u"left %1 right %2 top %3 bottom %4"_s.arg(left).arg(right).arg(top).arg(bottom);
    if (horizontally)
        QVERIFY2(std::abs(left - right) <= 3, qPrintable(gaps));
    else
        QVERIFY2(left <= 3, qPrintable(gaps));
    // The table's header stands above its red rows, so its gaps differ by the header's height.
    const int header = table ? qRound(view.horizontalHeader()->sizeHint().height() * 30.0 / view.logicalDpiY()) : 0;
    if (vertically)
        QVERIFY2(std::abs(top - header - bottom) <= 4, qPrintable(gaps));
    else
        QVERIFY2(top <= header + 3, qPrintable(gaps));
}

void tst_TablePrinting::widgetFillsOnePage()
{
    QWidget widget;
    widget.resize(1600, 1000); // larger than the page: shrunk to fit
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, Qt::red);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"window.pdf"_s);
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, pdf, QPageSize::A5);
    QVERIFY(TablePrinting::printWidget(widget, printer));
    QCOMPARE(pdfPages(pdf).size(), 1);

    const QString png = dir.filePath(u"window"_s);
    QCOMPARE(QProcess::execute(u"pdftoppm"_s, {u"-r"_s, u"20"_s, u"-png"_s, u"-singlefile"_s, pdf, png}), 0);
    const QImage image(png + u".png"_s);
    QVERIFY(!image.isNull());
    // The window's width fills the printable width of the page (the margins stay white).
    int redColumns = 0;
    const int y = image.height() / 4;
    for (int x = 0; x < image.width(); ++x) {
        const QColor color = image.pixelColor(x, y);
        if (color.red() > 200 && color.green() < 80 && color.blue() < 80)
            ++redColumns;
    }
    QVERIFY2(redColumns > image.width() * 3 / 4, qPrintable(u"%1 of %2"_s.arg(redColumns).arg(image.width())));
}

void tst_TablePrinting::textDocument()
{
    QTextDocument document;
    document.setPlainText(u"Vendor ID: ACME\nProduct ID: BD-RE 9000"_s);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"details.pdf"_s);
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, pdf, QPageSize::A4);
    TablePrinting::printTextDocument(document, printer);
    const QStringList pages = pdfPages(pdf);
    QCOMPARE(pages.size(), 1);
    QVERIFY(pages.first().contains(u"Vendor ID: ACME"_s));
    QVERIFY(pages.first().contains(u"Product ID: BD-RE 9000"_s));
}

void tst_TablePrinting::unwritableOutputReportsFailure()
{
    QStandardItemModel model(1, 1);
    QTableView table;
    table.setModel(&model);
    QWidget widget;
    widget.resize(100, 100);
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, u"/proc/no-such-folder/out.pdf"_s, QPageSize::A4);
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QVERIFY(!TablePrinting::printTable(table, printer));
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QVERIFY(!TablePrinting::printWidget(widget, printer));
}

QTEST_MAIN(tst_TablePrinting)
#include "tst_TablePrinting.moc"
