#include "Foundation/MetaTypes.h"
#include "Foundation_Additions/NSAttributedString/TzNSAttributedComponentsJoinedByString.h"
#include "Foundation_Additions/NSAttributedString/TzNSAttributedStringAdditions.h"

#include <QColor>
#include <QFont>
#include <QTest>

using tz::AttributedString;
using tz::Attributes;
using tz::MutableAttributedString;
using tz::Range;

namespace {

QFont boldFont()
{
    QFont font;
    font.setBold(true);
    return font;
}

const Attributes bold{{tz::FontAttributeName, boldFont()}};
const Attributes blue{{tz::ForegroundColorAttributeName, QColor(Qt::blue)}};

// "plain bold plain": three runs.
AttributedString plainBoldPlain()
{
    MutableAttributedString text(QStringLiteral("plain "));
    text.appendString(QStringLiteral("bold"), bold);
    text.appendString(QStringLiteral(" plain"));
    return text;
}

} // namespace

class tst_TzNSAttributedStringAdditions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void constructorsKeepTheirKind()
    {
        QVERIFY(AttributedString::attributedString().isEmpty());
        QVERIFY(
            AttributedString::attributedStringWithString(QStringLiteral("x")).runs().constFirst().attributes.isEmpty());
        const AttributedString styled =
            AttributedString::attributedStringWithStringAttributes(QStringLiteral("xy"), blue);
        QCOMPARE(tz::attributesInRange(styled, {0, 2}), QList<Attributes>{blue});
        static_assert(std::is_same_v<decltype(MutableAttributedString::attributedStringWithAttributedString(styled)),
                                     MutableAttributedString>);
        QCOMPARE(MutableAttributedString::attributedStringWithAttributedString(styled), styled);
    }

    void appendingLeavesTheReceiverUnchanged()
    {
        const MutableAttributedString receiver(QStringLiteral("Device Information \n"));
        const AttributedString tail(QStringLiteral("Model"), blue);
        const auto joined = tz::attributedStringByAppendingAttributedString(receiver, tail);
        static_assert(std::is_same_v<decltype(joined), const MutableAttributedString>);
        QCOMPARE(receiver.string(), QStringLiteral("Device Information \n"));
        QCOMPARE(joined.string(), QStringLiteral("Device Information \nModel"));
        QCOMPARE(joined.attributesAtIndex(20), blue);

        const auto immutable = tz::attributedStringByAppendingAttributedString(AttributedString(), tail);
        static_assert(std::is_same_v<decltype(immutable), const AttributedString>);
        QCOMPARE(immutable, tail);
    }

    void split_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QList<Range>>("ranges");

        QTest::newRow("empty field kept")
            << QStringLiteral("a,,b") << QStringLiteral(",")
            << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")} << QList<Range>{{0, 1}, {2, 0}, {3, 1}};
        QTest::newRow("trailing tab") << QStringLiteral("a\tb\t") << QStringLiteral("\t")
                                      << QStringList{QStringLiteral("a"), QStringLiteral("b"), QString()}
                                      << QList<Range>{{0, 1}, {2, 1}, {4, 0}};
        QTest::newRow("empty text") << QString() << QStringLiteral(",") << QStringList{QString()}
                                    << QList<Range>{{0, 0}};
        QTest::newRow("no separator") << QStringLiteral("abc") << QStringLiteral(",")
                                      << QStringList{QStringLiteral("abc")} << QList<Range>{{0, 3}};
        QTest::newRow("long separator") << QStringLiteral("a::b::") << QStringLiteral("::")
                                        << QStringList{QStringLiteral("a"), QStringLiteral("b"), QString()}
                                        << QList<Range>{{0, 1}, {3, 1}, {6, 0}};
        QTest::newRow("empty separator") << QStringLiteral("ab") << QString() << QStringList{QStringLiteral("ab")}
                                         << QList<Range>{{0, 2}};
    }

    void split()
    {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(QStringList, fields);
        QFETCH(QList<Range>, ranges);

        const AttributedString styled(text, blue);
        QCOMPARE(tz::rangesDelimitedByString(styled, separator), ranges);
        const QList<AttributedString> parts = tz::componentsSeparatedByString(styled, separator);
        QCOMPARE(parts.size(), fields.size());
        for (qsizetype i = 0; i < parts.size(); ++i) {
            QCOMPARE(parts[i].string(), fields[i]);
            if (!fields[i].isEmpty())
                QCOMPARE(parts[i], AttributedString(fields[i], blue));
        }
    }

    void splitKeepsEachPiecesStyles()
    {
        MutableAttributedString text(QStringLiteral("a,,"));
        text.appendString(QStringLiteral("b"), bold);
        const QList<AttributedString> parts = tz::componentsSeparatedByString(text, QStringLiteral(","));
        QCOMPARE(parts,
                 (QList<AttributedString>{AttributedString(QStringLiteral("a")), AttributedString(),
                                          AttributedString(QStringLiteral("b"), bold)}));

        MutableAttributedString row(QStringLiteral("x\t"));
        row.appendString(QStringLiteral("y"), blue);
        row.appendString(QStringLiteral("y\t"), bold);
        const QList<AttributedString> cells = tz::componentsSeparatedByTab(row);
        QCOMPARE(cells.size(), 3);
        QCOMPARE(tz::attributesInRange(cells[1], {0, 2}), (QList<Attributes>{blue, bold}));
        QVERIFY(cells[2].isEmpty());
    }

    void attributesInRange_data()
    {
        QTest::addColumn<Range>("range");
        QTest::addColumn<QList<Attributes>>("expected");

        QTest::newRow("three words") << Range{0, 16} << QList<Attributes>{{}, bold, {}};
        QTest::newRow("clipped to the range") << Range{7, 2} << QList<Attributes>{bold};
        QTest::newRow("across a boundary") << Range{9, 3} << QList<Attributes>{bold, {}};
        QTest::newRow("past the end clipped") << Range{8, 100} << QList<Attributes>{bold, {}};
        QTest::newRow("empty range inside") << Range{6, 0} << QList<Attributes>{bold};
        QTest::newRow("empty range at the end") << Range{16, 0} << QList<Attributes>{};
        QTest::newRow("beyond the text") << Range{40, 2} << QList<Attributes>{};
    }

    void attributesInRange()
    {
        QFETCH(Range, range);
        QFETCH(QList<Attributes>, expected);
        QCOMPARE(tz::attributesInRange(plainBoldPlain(), range), expected);
    }

    void attributeFoundInRange()
    {
        const AttributedString text = plainBoldPlain();
        QVERIFY(tz::attributeFoundInRange(text, tz::FontAttributeName, {0, 16}));
        QVERIFY(tz::attributeFoundInRange(text, tz::FontAttributeName, {9, 1}));
        QVERIFY(!tz::attributeFoundInRange(text, tz::FontAttributeName, {10, 6}));
        QVERIFY(!tz::attributeFoundInRange(text, tz::LinkAttributeName, {0, 16}));
        QVERIFY(!tz::attributeFoundInRange(text, tz::FontAttributeName, {16, 0}));
    }

    void join()
    {
        const AttributedString word(QStringLiteral("ab"), bold);
        const AttributedString comma(QStringLiteral(", "), blue);

        const AttributedString joined = tz::attributedComponentsJoinedByString({word, word, word}, comma);
        QCOMPARE(joined.string(), QStringLiteral("ab, ab, ab"));
        QCOMPARE(tz::attributesInRange(joined, {0, 10}), (QList<Attributes>{bold, blue, bold, blue, bold}));

        const AttributedString plain = tz::attributedComponentsJoinedByString({word, word}, QStringLiteral("-"));
        QCOMPARE(tz::attributesInRange(plain, {0, 5}), (QList<Attributes>{bold, {}, bold}));
        // Runs of equal style merge across the joins.
        QCOMPARE(tz::attributedComponentsJoinedByString({word, word}, AttributedString(QStringLiteral("+"), bold))
                     .runs()
                     .size(),
                 1);

        QVERIFY(tz::attributedComponentsJoinedByString({}, comma).isEmpty());
        QCOMPARE(tz::attributedComponentsJoinedByString({word}, comma), word);
        QCOMPARE(tz::attributedComponentsJoinedByString({AttributedString(), AttributedString()}, comma), comma);
    }
};

QTEST_MAIN(tst_TzNSAttributedStringAdditions)
#include "tst_TzNSAttributedStringAdditions.moc"
