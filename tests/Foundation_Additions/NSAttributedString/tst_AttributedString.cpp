#include "Foundation_Additions/NSAttributedString/AttributedString.h"
#include "Foundation_Additions/NSAttributedString/TextAttachment.h"

#include <QColor>
#include <QTest>

using tz::AttributedString;
using tz::Attributes;
using tz::MutableAttributedString;
using tz::Range;

namespace {

const Attributes bold{{tz::FontAttributeName, QStringLiteral("bold")}};
const Attributes red{{tz::ForegroundColorAttributeName, QColor(Qt::red)}};

// "start:length" of every run, for comparing run layouts at a glance.
QString layout(const AttributedString& text)
{
    QStringList runs;
    for (qsizetype i = 0; i < text.runs().size(); ++i) {
        const Range r = text.rangeOfRun(i);
        runs.append(QStringLiteral("%1:%2").arg(r.location).arg(r.length));
    }
    return runs.join(QLatin1Char(' '));
}

QImage greenSquare()
{
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(Qt::green);
    return image;
}

} // namespace

class tst_AttributedString : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void equalNeighboursMerge()
    {
        MutableAttributedString text;
        text.appendString(QStringLiteral("ab"), bold);
        text.appendString(QStringLiteral("cd"), bold);
        text.appendString(QString(), red);
        text.appendString(QStringLiteral("ef"));
        QCOMPARE(text.string(), QStringLiteral("abcdef"));
        QCOMPARE(layout(text), QStringLiteral("0:4 4:2"));
        QCOMPARE(text.attributesAtIndex(3), bold);
        QCOMPARE(text.attributesAtIndex(4), Attributes());
        QCOMPARE(text.attributesAtIndex(6), Attributes());

        // Styled the same way, built another way: equal.
        MutableAttributedString other(QStringLiteral("abcdef"));
        other.setAttributesInRange(bold, {0, 4});
        QCOMPARE(other, text);
    }

    void effectiveRangeIsTheWholeRunClippedToTheLimit()
    {
        MutableAttributedString text(QStringLiteral("plain bold plain"));
        text.addAttributeInRange(tz::FontAttributeName, QStringLiteral("bold"), {6, 4});
        Range range;
        QCOMPARE(text.attributesAtIndex(8, &range), bold);
        QCOMPARE(range, Range({6, 4}));
        (void)text.attributesAtIndex(8, &range, {7, 100});
        QCOMPARE(range, Range({7, 3}));
        (void)text.attributesAtIndex(12, &range);
        QCOMPARE(range, Range({10, 6}));
    }

    void attributeEdits()
    {
        MutableAttributedString text(QStringLiteral("abcdef"), bold);
        text.addAttributeInRange(tz::ForegroundColorAttributeName, QColor(Qt::red), {2, 2});
        QCOMPARE(layout(text), QStringLiteral("0:2 2:2 4:2"));
        QCOMPARE(text.attributeAtIndex(tz::FontAttributeName, 3), QVariant(QStringLiteral("bold")));
        QCOMPARE(text.attributeAtIndex(tz::ForegroundColorAttributeName, 3), QVariant(QColor(Qt::red)));

        text.removeAttributeInRange(tz::ForegroundColorAttributeName, {0, 100});
        QCOMPARE(text, MutableAttributedString(QStringLiteral("abcdef"), bold));

        // A range past the end is clipped, never out of bounds.
        text.setAttributesInRange({}, {4, 0x7FFFFFFF});
        QCOMPARE(layout(text), QStringLiteral("0:4 4:2"));
        text.setAttributesInRange(red, {50, 3});
        QCOMPARE(layout(text), QStringLiteral("0:4 4:2"));
    }

    void replacing()
    {
        MutableAttributedString text(QStringLiteral("abc"), bold);
        text.appendString(QStringLiteral("def"), red);

        text.insertAttributedStringAtIndex(AttributedString(QStringLiteral("X"), red), 0);
        QCOMPARE(text.string(), QStringLiteral("Xabcdef"));
        QCOMPARE(layout(text), QStringLiteral("0:1 1:3 4:3"));

        // Plain text takes the style of the first replaced character ...
        text.replaceCharactersInRange(Range{3, 2}, QStringLiteral("--"));
        QCOMPARE(text.string(), QStringLiteral("Xab--ef"));
        QCOMPARE(text.attributesAtIndex(4), bold);
        // ... or, inserted, that of the character before it.
        text.replaceCharactersInRange(Range{7, 0}, QStringLiteral("!"));
        QCOMPARE(text.attributesAtIndex(7), red);
        text.replaceCharactersInRange(Range{0, 0}, QStringLiteral("<"));
        QCOMPARE(text.attributesAtIndex(0), Attributes());

        text.deleteCharactersInRange({1, 5});
        QCOMPARE(text.string(), QStringLiteral("<ef!"));
        QCOMPARE(layout(text), QStringLiteral("0:1 1:3"));
        text.deleteCharactersInRange({0, 100});
        QVERIFY(text.isEmpty());
        QVERIFY(text.runs().isEmpty());
    }

    void substrings()
    {
        MutableAttributedString text(QStringLiteral("ab"));
        text.appendString(QStringLiteral("cd"), bold);
        const AttributedString sub = text.attributedSubstringFromRange({1, 2});
        QCOMPARE(sub.string(), QStringLiteral("bc"));
        QCOMPARE(layout(sub), QStringLiteral("0:1 1:1"));
        QCOMPARE(sub.attributesAtIndex(1), bold);
        QVERIFY(text.attributedSubstringFromRange({9, 2}).isEmpty());
    }

    void attachmentsCompareByIdentity()
    {
        const auto image = greenSquare();
        const auto one = tz::TextAttachment::withImage(image);
        const auto same = one;
        const auto other = tz::TextAttachment::withImage(image);

        MutableAttributedString text = MutableAttributedString::attachmentString();
        QCOMPARE(text.string(), QString(QChar(0xFFFC)));
        text.addAttributeInRange(tz::AttachmentAttributeName, QVariant::fromValue(one), {0, 1});
        text.appendString(QString(QChar(0xFFFC)), {{tz::AttachmentAttributeName, QVariant::fromValue(same)}});
        QCOMPARE(text.runs().size(), 1);
        text.appendString(QString(QChar(0xFFFC)), {{tz::AttachmentAttributeName, QVariant::fromValue(other)}});
        QCOMPARE(text.runs().size(), 2);
        QCOMPARE(text.attributeAtIndex(tz::AttachmentAttributeName, 2).value<tz::TextAttachmentPtr>(), other);
    }
};

QTEST_GUILESS_MAIN(tst_AttributedString)
#include "tst_AttributedString.moc"
