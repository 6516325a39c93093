#include "Foundation_Additions/NSAttributedString/TzNSAttributedStringIconicAttributedStringForPath.h"

#include "Foundation_Additions/NSAttributedString/TzNSAttributedStringForBrokenPath.h"
#include "Foundation_Additions/NSFileManager/TzNSFileManagerAdditions.h"
#include "Foundation_Additions/NSString/PathRules.h"
#include "Graphics/TzAutoNuller.h"

#include <QApplication>
#include <QBuffer>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QMimeDatabase>

namespace tz {

namespace {

constexpr int iconSide = 16;

using IconCache = QHash<QString, TextAttachmentPtr>;
thread_local std::shared_ptr<IconCache> cache;
thread_local quint64 fetches = 0;

QIcon iconFor(const QString& path)
{
    // The provider draws with the application's style.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return {};
    static const QFileIconProvider provider;
    if (!fileExistsAtPath(path)) {
        const QMimeType unknown = QMimeDatabase().mimeTypeForName(QStringLiteral("application/octet-stream"));
        return QIcon::fromTheme(unknown.iconName(),
                                QIcon::fromTheme(unknown.genericIconName(), provider.icon(QFileIconProvider::File)));
    }
    return provider.icon(QFileInfo(path));
}

TextAttachmentPtr fetchIconAttachment(const QString& path)
{
    ++fetches;
    const QIcon icon = iconFor(path);
    if (icon.isNull())
        return {};
    QImage image = icon.pixmap(iconSide, iconSide).toImage();
    if (image.isNull())
        return {};
    if (image.size() != QSize(iconSide, iconSide))
        image = image.scaled(iconSide, iconSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QByteArray tiff;
    QBuffer buffer(&tiff);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "TIFF");
    return std::make_shared<const TextAttachment>(path::lastComponent(path), tiff, image);
}

} // namespace

TextAttachmentPtr iconAttachmentForPath(const QString& path)
{
    if (cache) {
        if (const auto it = cache->constFind(path); it != cache->cend())
            return *it;
    }
    TextAttachmentPtr attachment = fetchIconAttachment(path);
    if (attachment && cache)
        cache->insert(path, attachment);
    return attachment;
}

QList<TextAttachmentPtr> iconAttachmentsForComponentsOfPath(const QString& path)
{
    QList<TextAttachmentPtr> attachments;
    QString partial;
    for (const QString& component : path::components(path)) {
        partial = path::appendingComponent(partial, component);
        attachments.append(iconAttachmentForPath(partial));
    }
    return attachments;
}

AttributedString iconicAttributedStringForPath(const QString& path)
{
    // Held for the call, so that without an open scope the cache still serves this one path.
    std::shared_ptr<const TzAutoNuller> nuller;
    if (!cache) {
        cache = std::make_shared<IconCache>();
        nuller = TzAutoNuller::autoNullerForID(&cache);
    }
    if (path.isNull())
        return {};
    MutableAttributedString text(attributedStringForBrokenPath(path));
    const QList<TextAttachmentPtr> attachments = iconAttachmentsForComponentsOfPath(text.string());
    const auto insertIcon = [&text](qsizetype index, const TextAttachmentPtr& attachment) {
        if (!attachment)
            return;
        text.insertAttributedStringAtIndex(AttributedString::attachmentString(), index);
        text.addAttributeInRange(AttachmentAttributeName, QVariant::fromValue(attachment),
                                 makeRange(quint32(index), 1));
    };
    qsizetype windowEnd = text.length();
    for (qsizetype i = attachments.size() - 1; i >= 0; --i) {
        const qsizetype slash = windowEnd > 0 ? text.string().lastIndexOf(u'/', windowEnd - 1) : -1;
        if (slash < 0) {
            if (i == 0 && text.string().startsWith(u'/'))
                insertIcon(0, attachments[i]);
            break;
        }
        insertIcon(slash + 1, attachments[i]);
        windowEnd = slash;
    }
    return text;
}

quint64 iconFetchCount()
{
    return fetches;
}

} // namespace tz
