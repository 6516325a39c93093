// Tag contents: each content is a piece of the text that holds neither tag.
// The first byte gives the tag name's length in units.
#include "Foundation_Additions/NSString/TzNSStringContentsOfTag.h"

#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const QString all = (size % 2) ? QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1))
                                   : utf16FromBytes(data + 1, size - 1);
    const qsizetype nameSize = qMin<qsizetype>(data[0] % 4, all.size());
    const QString name = all.first(nameSize);
    const QString text = all.sliced(nameSize);
    const QString opening = u'<' + name + u'>';
    const QString closing = QStringLiteral("</") + name + u'>';
    for (const QString& content : tz::contentsOfTag(text, name)) {
        FUZZ_CHECK(text.contains(opening + content + closing));
        FUZZ_CHECK(!content.contains(opening) && !content.contains(closing));
    }
    return 0;
}
