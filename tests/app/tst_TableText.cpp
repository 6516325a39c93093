#include "app/TableText.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

using Rows = QList<QStringList>;
using Moves = QList<QPair<int, int>>;

class tst_TableText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tableToText_data();
    void tableToText();
    void missingCellsAndModel();
};

void tst_TableText::tableToText_data()
{
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<Moves>("moves"); // header section moves, visual from -> to
    QTest::addColumn<QList<int>>("hidden");
    QTest::addColumn<QString>("expected");

    QTest::newRow("two columns, one row")
        << QStringList{u"A"_s, u"B"_s} << Rows{{u"x"_s, u"y"_s}} << Moves{} << QList<int>{} << u"A\tB\nx\ty\n"_s;
    QTest::newRow("empty table is the title line") << QStringList{u"Model"_s, u"Manufacturer"_s} << Rows{} << Moves{}
                                                   << QList<int>{} << u"Model\tManufacturer\n"_s;
    QTest::newRow("columns moved by the user")
        << QStringList{u"A"_s, u"B"_s, u"C"_s} << Rows{{u"1"_s, u"2"_s, u"3"_s}, {u"4"_s, u"5"_s, u"6"_s}}
        << Moves{{2, 0}} << QList<int>{} << u"C\tA\tB\n3\t1\t2\n6\t4\t5\n"_s;
    QTest::newRow("two moves") << QStringList{u"A"_s, u"B"_s, u"C"_s} << Rows{{u"1"_s, u"2"_s, u"3"_s}}
                               << Moves{{0, 2}, {0, 1}} << QList<int>{} << u"C\tB\tA\n3\t2\t1\n"_s;
    QTest::newRow("hidden column still exported")
        << QStringList{u"A"_s, u"B"_s} << Rows{{u"x"_s, u"y"_s}} << Moves{} << QList<int>{0} << u"A\tB\nx\ty\n"_s;
    QTest::newRow("nothing quoted") << QStringList{u"A \"quoted\""_s, u"B"_s}
                                    << Rows{{u"tab\there"_s, u"Gr\u00fc\u00dfe, \u65e5\u672c"_s}} << Moves{}
                                    << QList<int>{} << u"A \"quoted\"\tB\ntab\there\tGr\u00fc\u00dfe, \u65e5\u672c\n"_s;
    QTest::newRow("empty cells keep their tabs") << QStringList{u"A"_s, u"B"_s, u"C"_s} << Rows{{u""_s, u""_s, u""_s}}
                                                 << Moves{} << QList<int>{} << u"A\tB\tC\n\t\t\n"_s;
}

void tst_TableText::tableToText()
{
    QFETCH(QStringList, titles);
    QFETCH(Rows, rows);
    QFETCH(Moves, moves);
    QFETCH(QList<int>, hidden);
    QFETCH(QString, expected);

    QStandardItemModel model(int(rows.size()), int(titles.size()));
    model.setHorizontalHeaderLabels(titles);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            model.setItem(r, c, new QStandardItem(rows[r][c]));
    QTableView table;
    table.setModel(&model);
    for (const auto& [from, to] : std::as_const(moves))
        table.horizontalHeader()->moveSection(from, to);
    for (const int column : std::as_const(hidden))
        table.setColumnHidden(column, true);

    QCOMPARE(TableText::tableToText(table), expected);
}

void tst_TableText::missingCellsAndModel()
{
    QTableView table;
    QCOMPARE(TableText::tableToText(table), QString());

    // A cell without a value (and a column without a title) gives an empty field.
    QStandardItemModel model(2, 3);
    model.setHorizontalHeaderItem(0, new QStandardItem(u"A"_s));
    model.setHorizontalHeaderItem(2, new QStandardItem(u"C"_s));
    model.setItem(0, 0, new QStandardItem(u"x"_s));
    model.setItem(1, 2, new QStandardItem(u"z"_s));
    table.setModel(&model);
    // QStandardItemModel numbers a header without an item; the export shows what the model says.
    const QString secondTitle = model.headerData(1, Qt::Horizontal).toString();
    QCOMPARE(TableText::tableToText(table), u"A\t"_s + secondTitle + u"\tC\nx\t\t\n\t\tz\n"_s);
}

QTEST_MAIN(tst_TableText)
#include "tst_TableText.moc"
