#include "Foundation_Additions/NSAttributedString/AttributedStringTextDocument.h"
#include "Foundation_Additions/NSAttributedString/InsertMarks.h"
#include "Widgets/TzCheckboxAttachmentCell.h"
#include "Widgets/TzNSCellTiffData.h"

#include <QApplication>
#include <QCheckBox>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextImageFormat>

namespace {

// The file name the document holds for the image at position.
QString markNameAt(QTextDocument& document, int position)
{
    QTextCursor cursor(&document);
    cursor.setPosition(position);
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    return cursor.charFormat().property(tz::AttachmentFileNameProperty).toString();
}

} // namespace

class tst_TzCheckboxAttachmentCell : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clickTogglesTheMark()
    {
        tz::MutableAttributedString text(QStringLiteral("Buy milk\nBake bread"));
        tz::insertLinePrefixColumnPrefix(text, &tz::TzCheckboxAttachmentString::markClass(), nullptr);
        QTextEdit edit;
        edit.setReadOnly(true);
        tz::replaceDocumentContents(*edit.document(), text);
        auto* const cell = new tz::TzCheckboxAttachmentCell(&edit);
        cell->trackMouseInTextEdit(&edit);
        QSignalSpy toggled(cell, &tz::TzCheckboxAttachmentCell::toggled);
        edit.resize(300, 200);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));

        const int second = edit.document()->findBlockByNumber(1).position();
        const QString before = markNameAt(*edit.document(), second);
        QVERIFY2(before.startsWith(u"CBOX0-"), qPrintable(before));
        QTextCursor cursor(edit.document());
        cursor.setPosition(second);
        const QRect caret = edit.cursorRect(cursor);
        const QImage box = QImage::fromData(tz::checkboxTIFFData(false));
        const QPoint onBox(caret.left() + box.width() / 2, caret.center().y());

        QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, onBox);
        QCOMPARE(toggled.size(), 1);
        QCOMPARE(toggled[0][0].toInt(), second);
        QCOMPARE(toggled[0][1].toBool(), true);
        const QString after = markNameAt(*edit.document(), second);
        QCOMPARE(after, QStringLiteral("CBOX1-") + before.mid(6));
        QVERIFY(cell->isChecked());
        QCOMPARE(cell->attachment()->preferredFileName(), after);
        QCOMPARE(cell->TIFFData(), tz::checkboxTIFFData(true));
        QVERIFY(markNameAt(*edit.document(), 0).startsWith(u"CBOX0-"));

        QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, onBox);
        QCOMPARE(markNameAt(*edit.document(), second), before);
        QVERIFY(!cell->isChecked());

        // A click on plain text toggles nothing.
        cursor.setPosition(second + 6);
        QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, edit.cursorRect(cursor).center());
        QCOMPARE(toggled.size(), 2);
    }

    void cellWithoutMark()
    {
        tz::TzCheckboxAttachmentCell cell;
        QVERIFY(!cell.isChecked());
        QVERIFY(!cell.toggledAttachment());
        QCOMPARE(cell.cellBaselineOffset(), QPointF(0, -4));
        QVERIFY(cell.wantsToTrackMouse());
        QCOMPARE(cell.cellImage(), QImage::fromData(tz::checkboxTIFFData(false)));
        cell.setAttachment(tz::TextAttachment::withFile(QStringLiteral("picture.png"), {}));
        QVERIFY(!cell.toggledAttachment());
    }

    void widgetIntoTIFF()
    {
        QCheckBox box(QStringLiteral("Label"));
        const QByteArray tiff = tz::TIFFData(box);
        QVERIFY(tiff.startsWith("II*") || tiff.startsWith("MM"));
        const QImage image = QImage::fromData(tiff, "TIFF");
        QCOMPARE(image.size(), box.sizeHint());
        QCheckBox empty;
        empty.resize(0, 0);
        QVERIFY(tz::TIFFData(empty).isNull());
    }
};

QTEST_MAIN(tst_TzCheckboxAttachmentCell)
#include "tst_TzCheckboxAttachmentCell.moc"
