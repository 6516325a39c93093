// The RTF reader on arbitrary bytes (unbalanced groups, truncated control words, huge numbers,
// attachment names that leave the folder): no crash, and what it reads the writer reproduces.
#include "Foundation_Additions/NSAttributedString/RTFDDocument.h"
#include "Foundation_Additions/NSAttributedString/TextAttachment.h"

#include <cstdint>

namespace {

int attachmentCount(const tz::AttributedString& text)
{
    int count = 0;
    for (qsizetype i = 0; i < text.length(); ++i)
        count += text.attributeAtIndex(tz::AttachmentAttributeName, i).isValid() ? 1 : 0;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto files = [](const QString& name) {
        if (name.contains(u'/') || name == QLatin1String(".."))
            __builtin_trap();
        return name.toUtf8();
    };
    const tz::AttributedString text = tz::attributedStringFromRTF(bytes, files);
    QStringList names;
    for (qsizetype i = 0; i < text.length(); ++i) {
        if (text.string()[i] == QChar::ObjectReplacementCharacter) {
            const auto attachment =
                text.attributeAtIndex(tz::AttachmentAttributeName, i).value<tz::TextAttachmentPtr>();
            names.append(attachment ? attachment->preferredFileName() : QString());
        }
    }
    const tz::AttributedString again = tz::attributedStringFromRTF(tz::RTFFromAttributedString(text, names), files);
    if (again.string() != text.string() || attachmentCount(again) != attachmentCount(text))
        __builtin_trap();
    return 0;
}
