#include "Foundation_Additions/NSAttributedString/TextAttachment.h"

namespace tz {

TextAttachment::TextAttachment(QString preferredFileName, QByteArray fileContents, QImage image)
    : _preferredFileName(std::move(preferredFileName)),
      _fileContents(std::move(fileContents)),
      _image(std::move(image))
{}

TextAttachmentPtr TextAttachment::withImage(const QImage& image)
{
    return std::make_shared<const TextAttachment>(QString(), QByteArray(), image);
}

TextAttachmentPtr TextAttachment::withFile(const QString& preferredFileName, const QByteArray& fileContents)
{
    return std::make_shared<const TextAttachment>(preferredFileName, fileContents, QImage::fromData(fileContents));
}

QString TextAttachment::description() const
{
    return QStringLiteral("<NSTextAttachment: %1>").arg(_preferredFileName);
}

} // namespace tz
