#include "Functions/IsProbablyValidObjectPointer.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>

#include <unistd.h>

extern "C" char end; // set by the linker: the first address past the program's data

namespace tz {

namespace {

const char marker = 0;

// The main heap lies between the end of the program's data and the program break.
bool inHeap(std::uintptr_t address)
{
    const auto start = reinterpret_cast<std::uintptr_t>(&end);
    const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
    return address >= start && address < end;
}

} // namespace

const void* freedObjectMarker()
{
    return &marker;
}

bool IsProbablyValid_Obj_Pointer(const void* pointer)
{
    const auto address = reinterpret_cast<std::uintptr_t>(pointer);
    if (!pointer || pointer == freedObjectMarker())
        return false;
    const std::uintptr_t alignment = inHeap(address) ? 16 : 4;
    if (address % alignment != 0)
        return false;
    for (const std::uintptr_t fill : {0xDEADFACEu, 0xDEADBEEFu, 0xEFBEADDEu, 0xCEFAADDEu}) {
        if (address == fill)
            return false;
    }
    return true;
}

bool IsProbablyValidObjectPointer(const void* pointer)
{
    if (!IsProbablyValid_Obj_Pointer(pointer))
        return false;
    const void* firstWord = nullptr;
    std::memcpy(&firstWord, pointer, sizeof firstWord);
    return IsProbablyValid_Obj_Pointer(firstWord);
}

} // namespace tz
