// The texts the probes parse: a kernel release and a passwd GECOS field. The version value
// has valid BCD digits; the card never holds an empty value and its names come from the text
// before the first comma.
#include "Functions/SystemVersion.h"
#include "Functions/UserABInfo.h"

#include "Foundation/String.h"

#include <QByteArray>

#include <cstdint>

#define FUZZ_CHECK(condition) \
    do { \
        if (!(condition)) \
            __builtin_trap(); \
    } while (false)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    const unsigned version = tz::systemVersionFromRelease(bytes);
    FUZZ_CHECK(version <= 0x9999);
    for (unsigned nibble = version; nibble; nibble >>= 4)
        FUZZ_CHECK((nibble & 0xF) <= 9);
    if (bytes.isEmpty() || bytes[0] < '0' || bytes[0] > '9')
        FUZZ_CHECK(version == 0);

    const tz::DictionaryPtr card = tz::userABInfoFromCard(tz::userCardFromGecos(bytes));
    FUZZ_CHECK(card && card->count() <= 2);
    const QString name = QString::fromUtf8(bytes.left(bytes.indexOf(',') < 0 ? bytes.size() : bytes.indexOf(',')));
    for (const auto& [key, value] : card->entries()) {
        const QString text = tz::textOf(value);
        FUZZ_CHECK(!text.isEmpty() && name.contains(text));
    }
    return 0;
}
