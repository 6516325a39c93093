// Free names and moves. Nothing is ever replaced: a name that is taken gives -48. Companion
// "._name" files follow every rename and move.
#pragma once

#include "Carbon/FSRef.h"

namespace tz {

// The seed the move and the exchange start their free names from.
inline constexpr quint32 uniqueNameSeed = 0x546F7673;

// An 8-character name, the seed in upper-case hexadecimal, free in both folders; the seed is left
// one beyond it. -50 without `startSeed` or `uniqueName`, -120 when either is no folder.
[[nodiscard]] OSErr GenerateUniqueHFSUniStr(quint32* startSeed, const FSRef& dir1, const FSRef& dir2,
                                            QString* uniqueName);

// Moves the item into `destDirectory`, renamed to `name` unless that is null, also when the new
// name is taken in the item's old folder (it goes through a name free in both). -120 when the destination is no
// folder, -1303 on another volume, -48 when the final name is taken, -37 for a name that holds a
// "/" or a NUL character or is empty, "." or "..". The text encoding is not needed here (names
// are Unicode) and is ignored. `newRef` (may be left out) names the item at its new place.
[[nodiscard]] OSErr FSMoveRenameObjectUnicode(const FSRef& ref, const FSRef& destDirectory, const QString& name,
                                              quint32 textEncodingHint, FSRef* newRef);

// Renames or moves one item and its companion; -48 when `to` exists.
[[nodiscard]] OSErr moveItemWithCompanion(const QString& from, const QString& to);

} // namespace tz
