// Turns fuzzer bytes into UTF-16 text (two bytes per code unit, so every unit can occur).
#pragma once

#include <QString>

#include <cstdint>
#include <cstring>

inline QString utf16FromBytes(const std::uint8_t* data, std::size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    if (!text.isEmpty())
        std::memcpy(text.data(), data, size / 2 * 2);
    return text;
}

#define FUZZ_CHECK(condition) \
    do { \
        if (!(condition)) \
            __builtin_trap(); \
    } while (false)
