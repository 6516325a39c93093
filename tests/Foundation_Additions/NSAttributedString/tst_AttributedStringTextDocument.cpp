#include "Foundation_Additions/NSAttributedString/AttributedStringTextDocument.h"
#include "Foundation_Additions/NSAttributedString/TextAttachment.h"

#include <QFontMetricsF>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextImageFormat>
#include <QUrl>

using tz::AttributedString;
using tz::Attributes;
using tz::MutableAttributedString;

namespace {

struct Fragment
{
    QString text;
    QTextCharFormat format;
};

QList<Fragment> fragmentsOf(const QTextDocument& document)
{
    QList<Fragment> fragments;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            fragments.append({it.fragment().text(), it.fragment().charFormat()});
    return fragments;
}

QImage square(Qt::GlobalColor color, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

} // namespace

class tst_AttributedStringTextDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stylesReachTheDocument()
    {
        QFont font(QStringLiteral("Monospace"), 20);
        font.setItalic(true);
        MutableAttributedString text(QStringLiteral("Model"), {{tz::ForegroundColorAttributeName, QColor(Qt::blue)}});
        text.appendString(QStringLiteral(": x\n"));
        text.appendString(QStringLiteral("up"),
                          {{tz::BaselineOffsetAttributeName, 4.0}, {tz::FontAttributeName, font}});
        text.appendString(QStringLiteral("site"),
                          {{tz::LinkAttributeName, QUrl(QStringLiteral("https://example.org/"))}});

        QTextDocument document;
        tz::replaceDocumentContents(document, text);
        QCOMPARE(document.toPlainText(), text.string());

        const QList<Fragment> fragments = fragmentsOf(document);
        QCOMPARE(fragments.size(), 4);
        QCOMPARE(fragments[0].text, QStringLiteral("Model"));
        QCOMPARE(fragments[0].format.foreground().color(), QColor(Qt::blue));
        QCOMPARE(fragments[1].text, QStringLiteral(": x"));
        QVERIFY(!fragments[1].format.hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(fragments[2].text, QStringLiteral("up"));
        QCOMPARE(fragments[2].format.font().italic(), true);
        QCOMPARE(fragments[2].format.font().pointSize(), 20);
        QCOMPARE(fragments[2].format.baselineOffset(), 4.0 / QFontMetricsF(font).height() * 100.0);
        QVERIFY(fragments[2].format.baselineOffset() > 0);
        QVERIFY(fragments[3].format.isAnchor());
        QCOMPARE(fragments[3].format.anchorHref(), QStringLiteral("https://example.org/"));
    }

    void attachmentsBecomeImages()
    {
        const auto icon = tz::TextAttachment::withImage(square(Qt::red, 16));
        const auto empty = tz::TextAttachment::withFile(QStringLiteral("notes.txt"), QByteArrayLiteral("no image"));
        const QString mark(QChar::ObjectReplacementCharacter);
        MutableAttributedString text(QStringLiteral("a"));
        text.appendString(
            mark + mark,
            {{tz::AttachmentAttributeName, QVariant::fromValue(icon)}, {tz::BaselineOffsetAttributeName, -4.0}});
        text.appendString(mark, {{tz::AttachmentAttributeName, QVariant::fromValue(empty)}});
        text.appendString(QStringLiteral("b"));

        QTextDocument document;
        tz::replaceDocumentContents(document, text);
        QCOMPARE(document.toPlainText(), text.string());

        int images = 0;
        for (const Fragment& fragment : fragmentsOf(document)) {
            if (!fragment.format.isImageFormat())
                continue;
            images += int(fragment.text.size());
            const QTextImageFormat image = fragment.format.toImageFormat();
            QCOMPARE(image.width(), 16.0);
            QVERIFY(image.baselineOffset() < 0);
            const QImage shown = document.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
            QCOMPARE(shown, icon->image());
        }
        // The attachment without an image stays a plain character.
        QCOMPARE(images, 2);
    }

    void replacesEarlierContents()
    {
        QTextEdit edit;
        edit.setPlainText(QStringLiteral("old text"));
        tz::replaceDocumentContents(*edit.document(), AttributedString(QStringLiteral("new")));
        QCOMPARE(edit.toPlainText(), QStringLiteral("new"));
        tz::replaceDocumentContents(*edit.document(), AttributedString());
        QVERIFY(edit.document()->isEmpty());
    }
};

QTEST_MAIN(tst_AttributedStringTextDocument)
#include "tst_AttributedStringTextDocument.moc"
