#include "Foundation/AutoreleaseScope.h"
#include "Foundation_Additions/NSAttributedString/TzNSAttributedStringForBrokenPath.h"
#include "Foundation_Additions/NSAttributedString/TzNSAttributedStringIconicAttributedStringForPath.h"
#include "Widgets/TzIconAttachmentCell.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using tz::AttributedString;

namespace {

const QColor darkRed = QColor::fromRgbF(0.5f, 0.0f, 0.0f, 1.0f);

tz::TextAttachmentPtr attachmentAt(const AttributedString& text, qsizetype index)
{
    return text.attributeAtIndex(tz::AttachmentAttributeName, index).value<tz::TextAttachmentPtr>();
}

// The text with every icon shown as '#'.
QString shown(const AttributedString& text)
{
    QString result = text.string();
    for (qsizetype i = 0; i < result.size(); ++i) {
        if (attachmentAt(text, i))
            result[i] = u'#';
    }
    return result;
}

// "b" for each black character, "r" for each dark red one, "-" for one without colour.
QString colours(const AttributedString& text)
{
    QString result;
    for (qsizetype i = 0; i < text.length(); ++i) {
        const QVariant colour = text.attributeAtIndex(tz::ForegroundColorAttributeName, i);
        result += !colour.isValid()                       ? u'-'
            : colour.value<QColor>() == QColor(Qt::black) ? u'b'
            : colour.value<QColor>() == darkRed           ? u'r'
                                                          : u'?';
    }
    return result;
}

QString repeated(QChar c, qsizetype n)
{
    return QString(n, c);
}

} // namespace

class tst_IconicPathString : public QObject
{
    Q_OBJECT

    QTemporaryDir _dir;
    QString _file;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(_dir.isValid());
        _file = _dir.filePath(QStringLiteral("file.txt"));
        QFile file(_file);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    void brokenPath()
    {
        const QString root = _dir.path();
        const QString missing = root + QStringLiteral("/none/file");
        QCOMPARE(colours(tz::attributedStringForBrokenPath(missing)), repeated(u'b', root.size()) + repeated(u'r', 10));
        QCOMPARE(colours(tz::attributedStringForBrokenPath(_file)), repeated(u'b', _file.size()));
        QCOMPARE(colours(tz::attributedStringForBrokenPath(QStringLiteral("no-such-thing/x"))), repeated(u'r', 15));
        QCOMPARE(tz::attributedStringForBrokenPath(missing).string(), missing);
    }

    void iconBeforeEveryComponent()
    {
        tz::AutoreleaseScope scope;
        const AttributedString text = tz::iconicAttributedStringForPath(_file);
        QString expected = _file;
        expected.replace(u'/', QStringLiteral("/#"));
        expected.prepend(u'#');
        QCOMPARE(shown(text), expected);
        // Each icon is named after its component and is a 16 by 16 TIFF.
        QStringList names;
        for (qsizetype i = 0; i < text.length(); ++i) {
            if (const auto icon = attachmentAt(text, i)) {
                names.append(icon->preferredFileName());
                QCOMPARE(icon->image().size(), QSize(16, 16));
                QVERIFY(icon->fileContents().startsWith("II*") || icon->fileContents().startsWith("MM"));
                QCOMPARE(text.attributesAtIndex(i).size(), 1);
            }
        }
        QCOMPARE(names, QStringList{QStringLiteral("/")} + _file.split(u'/', Qt::SkipEmptyParts));
        QCOMPARE(colours(text).count(u'r'), 0);
    }

    void missingComponentsGetTheUnknownIcon()
    {
        tz::AutoreleaseScope scope;
        const QString path = _dir.filePath(QStringLiteral("none/file.bin"));
        const AttributedString text = tz::iconicAttributedStringForPath(path);
        QVERIFY2(shown(text).endsWith(u"/#none/#file.bin"), qPrintable(shown(text)));
        QVERIFY(colours(text).endsWith(u"r-rrrrr-rrrrrrrr"));
        const auto none = attachmentAt(text, text.length() - 15);
        const auto file = attachmentAt(text, text.length() - 9);
        QVERIFY(none && file);
        QCOMPARE(none->image(), file->image());
        QVERIFY(none->image() != attachmentAt(text, 0)->image());
    }

    void shapes_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        QTest::newRow("root") << QStringLiteral("/") << QStringLiteral("/#");
        QTest::newRow("relative") << QStringLiteral("a/b") << QStringLiteral("a/#b");
        QTest::newRow("empty") << QStringLiteral("") << QString();
        QTest::newRow("none") << QString() << QString();
    }
    void shapes()
    {
        QFETCH(QString, path);
        QFETCH(QString, shown);
        const AttributedString text = tz::iconicAttributedStringForPath(path);
        QCOMPARE(::shown(text), shown);
        QVERIFY(text.isEmpty() == path.isEmpty());
    }

    void cacheLastsOneScope()
    {
        const QString other = _dir.filePath(QStringLiteral("other"));
        tz::TextAttachmentPtr first;
        {
            tz::AutoreleaseScope scope;
            const quint64 before = tz::iconFetchCount();
            const AttributedString text = tz::iconicAttributedStringForPath(_file);
            const qsizetype icons = shown(text).count(u'#');
            QCOMPARE(tz::iconFetchCount() - before, quint64(icons));
            // Only the last component is new.
            (void)tz::iconicAttributedStringForPath(other);
            QCOMPARE(tz::iconFetchCount() - before, quint64(icons + 1));
            first = tz::iconAttachmentForPath(_file);
            QCOMPARE(tz::iconFetchCount() - before, quint64(icons + 1));
            QCOMPARE(attachmentAt(tz::iconicAttributedStringForPath(_file), shown(text).lastIndexOf(u'#')), first);
        }
        const quint64 before = tz::iconFetchCount();
        const tz::TextAttachmentPtr again = tz::iconAttachmentForPath(_file);
        QCOMPARE(tz::iconFetchCount() - before, 1u);
        QVERIFY(again != first);
        QVERIFY(!first->image().isNull());
    }

    void iconCell()
    {
        const tz::TzIconAttachmentCell cell(tz::iconAttachmentForPath(_file));
        QCOMPARE(cell.cellSize(), QSize(18, 16));
        QCOMPARE(cell.cellBaselineOffset(), QPointF(-2, -4));
        QVERIFY(cell.attachment());
    }
};

QTEST_MAIN(tst_IconicPathString)
#include "tst_IconicPathString.moc"
