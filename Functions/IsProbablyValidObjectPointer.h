// Plausibility tests for object pointers, mapped onto the object model: the "class pointer"
// is an object's first word, the freed-object marker is freedObjectMarker(), and the heap
// zone is the allocator's main heap. Neither test reads through a pointer that fails.
#pragma once

namespace tz {

// The address that marks freed objects.
[[nodiscard]] const void* freedObjectMarker();

// Whether the pointer could point at a live object: not null, not the marker, aligned (16 bytes
// inside the heap, 4 outside) and none of the fill patterns 0xDEADFACE, 0xDEADBEEF, 0xEFBEADDE, 0xCEFAADDE.
[[nodiscard]] bool IsProbablyValid_Obj_Pointer(const void* pointer);
// IsProbablyValid_Obj_Pointer of the pointer and, only when that holds, of the first word stored there.
[[nodiscard]] bool IsProbablyValidObjectPointer(const void* pointer);

} // namespace tz
