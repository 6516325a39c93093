// Older file-system names: any bytes either are refused or decode to as many characters as the
// length byte counts, and those encode back to the same bytes.
#include "Carbon/HFSNames.h"

#include <cstdint>

#define FUZZ_CHECK(condition) \
    do { \
        if (!(condition)) \
            __builtin_trap(); \
    } while (false)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString name;
    const tz::OSErr status = tz::HFSNameGetUnicodeName(bytes, tz::textEncodingSystemDefault, &name);
    if (bytes.isEmpty()) {
        FUZZ_CHECK(status == tz::fsParameterError);
        return 0;
    }
    const qsizetype length = quint8(bytes.front());
    if (length > bytes.size() - 1) {
        FUZZ_CHECK(status == tz::fsBadName);
        return 0;
    }
    FUZZ_CHECK(status == tz::fsNoError && name.size() == length);
    QByteArray back;
    const tz::OSErr encoded = tz::UnicodeNameGetHFSName(name, tz::textEncodingMacRoman, false, &back);
    if (length > 31) {
        FUZZ_CHECK(encoded == tz::fsBadName);
        return 0;
    }
    FUZZ_CHECK(encoded == tz::fsNoError && back == bytes.first(length + 1));
    return 0;
}
