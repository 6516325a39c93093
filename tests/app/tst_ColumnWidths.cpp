#include "app/ColumnWidths.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_ColumnWidths : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void emptyTableGetsFour();
    void longestEntryWidensItsColumn();
    void minimumHoldsAfterResize();
};

void tst_ColumnWidths::emptyTableGetsFour()
{
    QStandardItemModel model(0, 3);
    QTableView table;
    table.setModel(&model);
    QCOMPARE(ColumnWidths::columnMinWidth(table, 0), 0.0);
    ColumnWidths::updateColumnMinWidthsForTable(table);
    for (int column = 0; column < 3; ++column)
        QCOMPARE(ColumnWidths::columnMinWidth(table, column), 4.0);
}

void tst_ColumnWidths::longestEntryWidensItsColumn()
{
    const QString longText = u"PIONEER BD-RW BDR-XD07UHD with a very long model name indeed"_s;
    QStandardItemModel model(3, 3);
    model.setItem(0, 0, new QStandardItem(u"short"_s));
    model.setItem(1, 0, new QStandardItem(longText));
    model.setItem(2, 0, new QStandardItem(u"mid length"_s));
    model.setItem(0, 1, new QStandardItem(u"ok"_s)); // the rest of column 1 has no values
    QTableView table;
    table.setModel(&model);
    table.horizontalHeader()->setStretchLastSection(false);
    table.horizontalHeader()->resizeSection(0, 40);
    table.horizontalHeader()->resizeSection(1, 200);

    ColumnWidths::updateColumnMinWidthsForTable(table);
    const QFontMetricsF metrics(table.font(), &table);
    const qreal longWidth = metrics.horizontalAdvance(longText);
    QCOMPARE(ColumnWidths::columnMinWidth(table, 0), longWidth + 4.0);
    QCOMPARE(ColumnWidths::columnMinWidth(table, 1), metrics.horizontalAdvance(u"ok"_s) + 4.0);
    QCOMPARE(ColumnWidths::columnMinWidth(table, 2), 4.0);
    // The narrow column widened to its minimum; a wider one kept its width.
    QCOMPARE(table.columnWidth(0), int(std::ceil(longWidth + 4.0)));
    QCOMPARE(table.columnWidth(1), 200);
}

void tst_ColumnWidths::minimumHoldsAfterResize()
{
    QStandardItemModel model(1, 2);
    model.setItem(0, 0, new QStandardItem(u"A fairly wide cell text"_s));
    QTableView table;
    table.setModel(&model);
    table.horizontalHeader()->setStretchLastSection(false);
    ColumnWidths::updateColumnMinWidthsForTable(table);
    const int minimum = int(std::ceil(ColumnWidths::columnMinWidth(table, 0)));
    table.setColumnWidth(0, 10);
    QCOMPARE(table.columnWidth(0), minimum);
    table.setColumnWidth(0, minimum + 50);
    QCOMPARE(table.columnWidth(0), minimum + 50);

    // A hidden column stays hidden and comes back no narrower than its minimum.
    table.setColumnHidden(0, true);
    QVERIFY(table.isColumnHidden(0));
    table.setColumnHidden(0, false);
    QVERIFY(table.columnWidth(0) >= minimum);

    // Running again takes the new contents and adds no second guard.
    const auto guards = [&] {
        return table.horizontalHeader()->findChildren<QObject*>(QString(), Qt::FindDirectChildrenOnly).size();
    };
    const qsizetype before = guards();
    model.setItem(0, 0, new QStandardItem(u"narrower text"_s));
    ColumnWidths::updateColumnMinWidthsForTable(table);
    QCOMPARE(guards(), before);
    const int newMinimum = int(std::ceil(ColumnWidths::columnMinWidth(table, 0)));
    QVERIFY(newMinimum < minimum);
    table.setColumnWidth(0, 1);
    QCOMPARE(table.columnWidth(0), std::max(newMinimum, table.horizontalHeader()->minimumSectionSize()));
}

QTEST_MAIN(tst_ColumnWidths)
#include "tst_ColumnWidths.moc"
