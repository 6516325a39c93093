// Tab-separated lists: any text gives a dictionary whose keys and values are filled columns.
#include "Foundation_Additions/NSCollection/TzNSStringDictionaryFromTabSeparatedList.h"

#include "Foundation/String.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = (size % 2) ? QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size))
                                    : utf16FromBytes(data, size);
    const tz::DictionaryPtr dict = tz::dictionaryFromTabSeparatedList(text);
    FUZZ_CHECK(dict);
    for (const auto& [key, value] : dict->entries()) {
        for (const QString& column : {tz::textOf(key), tz::textOf(value)}) {
            FUZZ_CHECK(!column.isEmpty() && !column.contains(u'\t'));
            FUZZ_CHECK(text.contains(column));
        }
    }
    return 0;
}
