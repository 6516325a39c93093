#include "Foundation_Additions/NSAttributedString/InsertMarks.h"
#include "Foundation_Additions/NSAttributedString/TextAttachment.h"
#include "Foundation/MetaTypes.h"
#include "support/StdErrCapture.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QTest>

using tz::AttributedString;
using tz::Attributes;
using tz::MutableAttributedString;
using tz::Range;
using tz::TzButtonAttachmentString;
using tz::TzCheckboxAttachmentString;

using MarkClass = const TzButtonAttachmentString*;
Q_DECLARE_METATYPE(MarkClass)

namespace {

const TzCheckboxAttachmentString* const checkbox = &TzCheckboxAttachmentString::markClass();

tz::TextAttachmentPtr attachmentAt(const AttributedString& text, qsizetype index)
{
    return text.attributeAtIndex(tz::AttachmentAttributeName, index).value<tz::TextAttachmentPtr>();
}

// The plain text with each check-box mark shown as '#' and any other attachment as '@'.
QString shown(const AttributedString& text)
{
    QString result = text.string();
    for (qsizetype i = 0; i < result.size(); ++i) {
        if (checkbox->attributedStringHasMyMarkAtIndex(text, i))
            result[i] = u'#';
        else if (attachmentAt(text, i))
            result[i] = u'@';
    }
    return result;
}

// The text with every '#' a new check-box mark and every '@' an image attachment.
MutableAttributedString withMarks(const QString& pattern)
{
    MutableAttributedString text;
    for (const QChar c : pattern) {
        if (c == u'#') {
            text.appendAttributedString(checkbox->newInstance());
        } else if (c == u'@') {
            const auto picture = tz::TextAttachment::withFile(QStringLiteral("picture.png"), QByteArray("png"));
            text.appendString(QString(QChar::ObjectReplacementCharacter),
                              {{tz::AttachmentAttributeName, QVariant::fromValue(picture)}});
        } else {
            text.appendString(QString(c));
        }
    }
    return text;
}

} // namespace

class tst_InsertMarks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newMark_data()
    {
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("namePrefix");
        QTest::newRow("unchecked") << false << QStringLiteral("CBOX0-");
        QTest::newRow("checked") << true << QStringLiteral("CBOX1-");
    }
    void newMark()
    {
        QFETCH(bool, checked);
        QFETCH(QString, namePrefix);
        const AttributedString mark = checkbox->newInstanceWithState(checked);
        QCOMPARE(mark.string(), QString(QChar::ObjectReplacementCharacter));
        QCOMPARE(mark.attributeAtIndex(tz::BaselineOffsetAttributeName, 0).toDouble(), -4.0);
        const auto attachment = attachmentAt(mark, 0);
        QVERIFY(attachment);
        const QString name = attachment->preferredFileName();
        QVERIFY2(name.startsWith(namePrefix) && name.endsWith(u".tiff"), qPrintable(name));
        QCOMPARE(name.size(), 6 + 36 + 5);
        QCOMPARE(attachment->fileContents(), tz::checkboxTIFFData(checked));
        QVERIFY(attachment->fileContents().startsWith("II*") || attachment->fileContents().startsWith("MM"));
        QVERIFY(!attachment->image().isNull());
        QVERIFY(attachmentAt(checkbox->newInstanceWithState(checked), 0)->preferredFileName() != name);
    }

    void statesDrawDifferently()
    {
        QVERIFY(QImage::fromData(tz::checkboxTIFFData(true)) != QImage::fromData(tz::checkboxTIFFData(false)));
        QVERIFY(tz::checkboxTIFFData(true).constData() == tz::checkboxTIFFData(true).constData());
    }

    void insertMarks_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<MarkClass>("linePrefix");
        QTest::addColumn<MarkClass>("columnPrefix");
        QTest::addColumn<int>("times");
        QTest::addColumn<QString>("after");
        const QString list = QStringLiteral("Buy milk\n  indented item\nok\n\n   \n");
        const QString marked = QStringLiteral("#Buy milk\n  #indented item\nok\n\n   \n");
        QTest::newRow("both prefixes") << list << MarkClass(checkbox) << MarkClass(checkbox) << 1 << marked;
        QTest::newRow("marked twice") << list << MarkClass(checkbox) << MarkClass(checkbox) << 2 << marked;
        QTest::newRow("already marked") << marked << MarkClass(checkbox) << MarkClass(checkbox) << 1 << marked;
        QTest::newRow("line prefix none removes") << QStringLiteral("#Buy #milk\n  item\n") << MarkClass(nullptr)
                                                  << MarkClass(checkbox) << 1 << QStringLiteral("Buy milk\n  #item\n");
        QTest::newRow("column prefix none removes") << QStringLiteral("Buy\n\t#item #two\n") << MarkClass(checkbox)
                                                    << MarkClass(nullptr) << 1 << QStringLiteral("#Buy\n\titem two\n");
        QTest::newRow("other attachment is no mark")
            << QStringLiteral("@Buy\n") << MarkClass(checkbox) << MarkClass(nullptr) << 1 << QStringLiteral("#@Buy\n");
        QTest::newRow("empty class inserts nothing")
            << QStringLiteral("Buy\n  item\n") << MarkClass(&tz::TzEmptyAttachmentString::markClass())
            << MarkClass(checkbox) << 1 << QStringLiteral("Buy\n  #item\n");
        QTest::newRow("three characters, CR LF ends")
            << QStringLiteral("abc\r\nab\r\n  x") << MarkClass(checkbox) << MarkClass(checkbox) << 1
            << QStringLiteral("#abc\r\nab\r\n  #x");
    }
    void insertMarks()
    {
        QFETCH(QString, before);
        QFETCH(MarkClass, linePrefix);
        QFETCH(MarkClass, columnPrefix);
        QFETCH(int, times);
        QFETCH(QString, after);
        MutableAttributedString text = withMarks(before);
        const StdErrCapture capture; // the empty class's inherited prefix reports itself
        for (int i = 0; i < times; ++i)
            tz::insertLinePrefixColumnPrefix(text, linePrefix, columnPrefix);
        QCOMPARE(shown(text), after);
    }

    void markFollowsFontAndOffset_data()
    {
        QTest::addColumn<QVariant>("offset");
        QTest::addColumn<double>("markOffset");
        QTest::newRow("raised") << QVariant(2.0) << -2.0;
        QTest::newRow("lowered") << QVariant(-1.5) << -5.5;
        QTest::newRow("none") << QVariant() << -4.0;
    }
    void markFollowsFontAndOffset()
    {
        QFETCH(QVariant, offset);
        QFETCH(double, markOffset);
        QFont font(QStringLiteral("DejaVu Serif"), 17);
        font.setBold(true);
        Attributes attributes{{tz::FontAttributeName, font}};
        if (offset.isValid())
            attributes.insert(tz::BaselineOffsetAttributeName, offset);
        MutableAttributedString text(QStringLiteral("  "));
        text.appendString(QStringLiteral("item"), attributes);
        tz::insertLinePrefixColumnPrefix(text, nullptr, checkbox);
        QCOMPARE(shown(text), QStringLiteral("  #item"));
        QCOMPARE(text.attributeAtIndex(tz::FontAttributeName, 2).value<QFont>(), font);
        QCOMPARE(text.attributeAtIndex(tz::BaselineOffsetAttributeName, 2).toDouble(), markOffset);
        QCOMPARE(text.attributesAtIndex(3), attributes);
    }

    void rangeOfMark_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<Range>("range");
        QTest::addColumn<Range>("found");
        QTest::newRow("first of two") << QStringLiteral("ab#c#") << Range{0, 5} << Range{2, 1};
        QTest::newRow("after the window's start") << QStringLiteral("ab#c#") << Range{3, 2} << Range{4, 1};
        QTest::newRow("ends in another attachment") << QStringLiteral("#ab@") << Range{1, 3} << tz::notFoundRange;
        QTest::newRow("skips another attachment") << QStringLiteral("@@#") << Range{0, 3} << Range{2, 1};
        QTest::newRow("mark just past the window") << QStringLiteral("ab#") << Range{0, 2} << tz::notFoundRange;
        QTest::newRow("empty window") << QStringLiteral("#") << Range{0, 0} << tz::notFoundRange;
        QTest::newRow("window past the end clipped") << QStringLiteral("a#") << Range{1, 100} << Range{1, 1};
        QTest::newRow("window wholly past the end") << QStringLiteral("a#") << Range{9, 3} << tz::notFoundRange;
    }
    void rangeOfMark()
    {
        QFETCH(QString, pattern);
        QFETCH(Range, range);
        QFETCH(Range, found);
        const AttributedString text = withMarks(pattern);
        QCOMPARE(checkbox->attributedStringRangeOfMarkInRange(text, range), found);
        QCOMPARE(checkbox->attributedStringContainsMarkInRange(text, range), found.found());
    }

    void deleteMarksLeavesTheRest()
    {
        const QFont font(QStringLiteral("DejaVu Sans"), 11);
        MutableAttributedString text = withMarks(QStringLiteral("#a#@"));
        text.addAttributeInRange(tz::FontAttributeName, font, Range{1, 1});
        text.appendString(QStringLiteral("bc"), {{tz::FontAttributeName, font}});
        text.appendAttributedString(withMarks(QStringLiteral("#d#")));

        tz::deleteMarksOfClassInRange(text, *checkbox, Range{0, 8});
        QCOMPARE(shown(text), QStringLiteral("a@bcd#"));
        QCOMPARE(text.attributeAtIndex(tz::FontAttributeName, 0).value<QFont>(), font);
        QCOMPARE(text.attributeAtIndex(tz::FontAttributeName, 2).value<QFont>(), font);
        QVERIFY(attachmentAt(text, 1));
    }

    void invalidParametersAreLogged_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<MarkClass>("linePrefix");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("no classes") << QStringLiteral("Buy milk") << MarkClass(nullptr)
                                    << QByteArray("Parameter invalid -- lpf:(null), cpf:(null) self:Buy milk");
        QTest::newRow("empty text") << QString() << MarkClass(checkbox)
                                    << QByteArray(
                                           "Parameter invalid -- lpf:TzCheckboxAttachmentString, cpf:(null) self:");
    }
    void invalidParametersAreLogged()
    {
        QFETCH(QString, text);
        QFETCH(MarkClass, linePrefix);
        QFETCH(QByteArray, message);
        MutableAttributedString styled(text);
        StdErrCapture capture;
        tz::insertLinePrefixColumnPrefix(styled, linePrefix, nullptr);
        const QByteArray logged = capture.text();
        QVERIFY2(logged.contains("\"InsertMarks.cpp\",#"), logged.constData());
        QVERIFY2(logged.contains("(-[NSMutableAttributedString(InsertMarks) insertLinePrefix:columnPrefix:]) " + message
                                 + '\n'),
                 logged.constData());
        QCOMPARE(styled.string(), text);
    }

    void baseClassIsAbstract()
    {
        const TzButtonAttachmentString& base = TzButtonAttachmentString::markClass();
        StdErrCapture capture;
        QVERIFY(base.prefix().isNull());
        QVERIFY(base.newInstance().isEmpty());
        QVERIFY(base.newInstanceWithState(true).isEmpty());
        const QByteArray logged = capture.text();
        QVERIFY2(logged.contains("*** Subclass Responsibility: +[TzButtonAttachmentString prefix] "
                                 "(\"TzButtonAttachmentString.cpp\", Line "),
                 logged.constData());
        QVERIFY2(logged.contains("+[TzButtonAttachmentString newInstance]"), logged.constData());
        // No prefix, no marks: not even a check-box mark counts as one of the base class.
        QVERIFY(!base.attributedStringHasMyMarkAtIndex(withMarks(QStringLiteral("#")), 0));
    }
};

QTEST_MAIN(tst_InsertMarks)
#include "tst_InsertMarks.moc"
