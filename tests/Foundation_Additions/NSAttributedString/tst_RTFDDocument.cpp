#include "Foundation_Additions/NSAttributedString/InsertMarks.h"
#include "Foundation_Additions/NSAttributedString/RTFDDocument.h"
#include "Foundation_Additions/NSAttributedString/TextAttachment.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QTemporaryDir>
#include <QTest>

using tz::AttributedString;
using tz::Attributes;
using tz::MutableAttributedString;

namespace {

tz::TextAttachmentPtr attachmentAt(const AttributedString& text, qsizetype index)
{
    return text.attributeAtIndex(tz::AttachmentAttributeName, index).value<tz::TextAttachmentPtr>();
}

QFont font(const QString& family, qreal points, bool bold = false, bool italic = false)
{
    QFont result(family);
    result.setPointSizeF(points);
    result.setBold(bold);
    result.setItalic(italic);
    return result;
}

AttributedString fromRTF(const QByteArray& rtf, const QHash<QString, QByteArray>& files = {})
{
    return tz::attributedStringFromRTF(rtf, [&files](const QString& name) { return files.value(name); });
}

} // namespace

class tst_RTFDDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void marksSurviveSaveAndLoad()
    {
        const QFont serif = font(QStringLiteral("DejaVu Serif"), 14, true);
        MutableAttributedString text(QStringLiteral("Buy milk\n"), {{tz::FontAttributeName, serif}});
        text.appendString(QStringLiteral("  raised item \u00e9\u4e2d {braces} \\slash\n"),
                          {{tz::FontAttributeName, font(QStringLiteral("DejaVu Sans"), 9.5, false, true)},
                           {tz::BaselineOffsetAttributeName, 2.0},
                           {tz::ForegroundColorAttributeName, QColor(128, 0, 0)}});
        text.appendString(QStringLiteral("\tplain"));
        tz::insertLinePrefixColumnPrefix(text, &tz::TzCheckboxAttachmentString::markClass(),
                                         &tz::TzCheckboxAttachmentString::markClass());
        // One mark checked: the state lives in the name.
        text.replaceCharactersInRange(tz::Range{0, 1},
                                      tz::TzCheckboxAttachmentString::markClass().newInstanceWithState(true));
        text.addAttributesInRange({{tz::FontAttributeName, serif}, {tz::BaselineOffsetAttributeName, -4.0}},
                                  tz::Range{0, 1});

        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("List.rtfd"));
        QString error;
        QVERIFY2(tz::writeRTFDToPath(text, path, &error), qPrintable(error));
        const QStringList files = QDir(path).entryList(QDir::Files);
        QCOMPARE(files.size(), 4);
        QVERIFY(files.contains(tz::RTFDTextFileName));

        const std::optional<AttributedString> loaded = tz::attributedStringWithRTFDAtPath(path);
        QVERIFY(loaded);
        QCOMPARE(loaded->string(), text.string());
        for (qsizetype i = 0; i < text.length(); ++i) {
            const auto original = attachmentAt(text, i);
            const auto read = attachmentAt(*loaded, i);
            QCOMPARE(bool(read), bool(original));
            if (original) {
                QCOMPARE(read->preferredFileName(), original->preferredFileName());
                QCOMPARE(read->fileContents(), original->fileContents());
                QVERIFY(!read->image().isNull());
            }
            Attributes expected = text.attributesAtIndex(i);
            Attributes actual = loaded->attributesAtIndex(i);
            expected.remove(tz::AttachmentAttributeName);
            actual.remove(tz::AttachmentAttributeName);
            QVERIFY2(actual == expected, qPrintable(QStringLiteral("at %1").arg(i)));
        }
        const auto& checkbox = tz::TzCheckboxAttachmentString::markClass();
        QVERIFY(attachmentAt(*loaded, 0)->preferredFileName().startsWith(u"CBOX1-"));
        const tz::Range second = checkbox.attributedStringRangeOfMarkInRange(*loaded, tz::Range{1, 100});
        QCOMPARE(second.location, 12u);
        QVERIFY(attachmentAt(*loaded, 12)->preferredFileName().startsWith(u"CBOX0-"));
        QCOMPARE(loaded->attributeAtIndex(tz::BaselineOffsetAttributeName, 12).toDouble(), -2.0);
    }

    void attachmentNamesAreMadeSafeAndUnique()
    {
        MutableAttributedString text;
        for (const QString& name : {QStringLiteral("a.png"), QStringLiteral("a.png"), QStringLiteral("../up.png"),
                                    QStringLiteral("TXT.rtf"), QString()})
            text.appendString(QString(QChar::ObjectReplacementCharacter),
                              {{tz::AttachmentAttributeName,
                                QVariant::fromValue(tz::TextAttachment::withFile(name, name.toUtf8()))}});
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.rtfd"));
        QVERIFY(tz::writeRTFDToPath(text, path));
        const QStringList files = QDir(path).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(QSet<QString>(files.cbegin(), files.cend()),
                 QSet<QString>({QStringLiteral("Attachment"), QStringLiteral("Attachment 2"), QStringLiteral("TXT.rtf"),
                                QStringLiteral(".._up.png"), QStringLiteral("a 2.png"), QStringLiteral("a.png")}));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("up.png"))));
        const auto loaded = tz::attributedStringWithRTFDAtPath(path);
        QVERIFY(loaded);
        QCOMPARE(attachmentAt(*loaded, 1)->preferredFileName(), QStringLiteral("a 2.png"));
        QCOMPARE(attachmentAt(*loaded, 1)->fileContents(), QByteArray("a.png"));
    }

    void readsForeignRTF_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("attachments");
        QTest::newRow("paragraphs and escapes")
            << QByteArray("{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss Helvetica;}\\f0\\fs24 caf\\'e9\\par \\{x\\}\\\nend}")
            << QStringLiteral("caf\u00e9\n{x}\nend") << 0;
        QTest::newRow("unicode with fallback")
            << QByteArray("{\\rtf1\\uc1\\u20013?x\\u-3?}") << QStringLiteral("\u4e2dx\ufffd") << 0;
        QTest::newRow("ignorable destination")
            << QByteArray("{\\rtf1{\\*\\expandedcolortbl;;}{\\info{\\title t}}ok}") << QStringLiteral("ok") << 0;
        QTest::newRow("attachment") << QByteArray("{\\rtf1 a{{\\NeXTGraphic pic.tiff \\width20 \\height20\n}\\'ac}b}")
                                    << QStringLiteral("a\ufffcb") << 1;
        QTest::newRow("attachment escaping the folder")
            << QByteArray("{\\rtf1 {{\\NeXTGraphic ../../etc/passwd \\width20\n}\\'ac}}") << QStringLiteral("\ufffc")
            << 0;
        QTest::newRow("unbalanced and truncated") << QByteArray("{\\rtf1 x}}}{y\\") << QStringLiteral("x") << 0;
        QTest::newRow("deep nesting") << QByteArray("{\\rtf1 ") + QByteArray(5000, '{') + "z" << QString() << 0;
    }
    void readsForeignRTF()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QFETCH(int, attachments);
        const AttributedString read = fromRTF(rtf, {{QStringLiteral("pic.tiff"), QByteArray("bytes")}});
        QCOMPARE(read.string(), text);
        int found = 0;
        for (qsizetype i = 0; i < read.length(); ++i)
            found += attachmentAt(read, i) ? 1 : 0;
        QCOMPARE(found, attachments);
    }

    void missingTextFileIsNoDocument()
    {
        const QTemporaryDir dir;
        QVERIFY(!tz::attributedStringWithRTFDAtPath(dir.path()));
        QVERIFY(!tz::attributedStringWithRTFDAtPath(dir.filePath(QStringLiteral("none.rtfd"))));
    }
};

QTEST_MAIN(tst_RTFDDocument)
#include "tst_RTFDDocument.moc"
