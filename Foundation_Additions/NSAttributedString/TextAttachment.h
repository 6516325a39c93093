// An inline object of styled text: an image, and the file it came from (name and contents)
// where there is one. Attachments are compared by identity, as the text shares them.
#pragma once

#include "Foundation/Object.h"

#include <QByteArray>
#include <QImage>
#include <QMetaType>

namespace tz {

class TextAttachment final : public Object
{
public:
    TextAttachment(QString preferredFileName, QByteArray fileContents, QImage image);
    // An attachment showing the image, with no file.
    [[nodiscard]] static std::shared_ptr<const TextAttachment> withImage(const QImage& image);
    // An attachment for a file; its image is the contents decoded, when they are an image.
    [[nodiscard]] static std::shared_ptr<const TextAttachment> withFile(const QString& preferredFileName,
                                                                        const QByteArray& fileContents);

    [[nodiscard]] const QString& preferredFileName() const { return _preferredFileName; }
    [[nodiscard]] const QByteArray& fileContents() const { return _fileContents; }
    // Null when there is nothing to show.
    [[nodiscard]] const QImage& image() const { return _image; }

    [[nodiscard]] QString className() const override { return QStringLiteral("NSTextAttachment"); }
    // "<NSTextAttachment: name>" (the file name, empty for an image alone).
    [[nodiscard]] QString description() const override;

private:
    QString _preferredFileName;
    QByteArray _fileContents;
    QImage _image;
};

using TextAttachmentPtr = std::shared_ptr<const TextAttachment>;

} // namespace tz

Q_DECLARE_METATYPE(tz::TextAttachmentPtr)
