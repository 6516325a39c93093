// Finding web and e-mail addresses in text: marker texts that betray an address ("://",
// "www.", ".com", "@", ...), the run of address characters around a marker, and e-mail
// candidates and their validation. Ranges are clipped to the text; an index outside its
// range, or a range that is empty after clipping, finds nothing ({notFound, 0}). The sets and
// the marker list are built once per process (safe for concurrent first use); membership
// tests and searches allocate nothing.
#pragma once

#include "Foundation/CharacterSet.h"
#include "Foundation/Range.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tz {

// The 17 markers, in their search order: "://", "www.", ".com", ... "news.", "@".
[[nodiscard]] const QStringList& URLMarkers();
// The 11 characters "\"<>[]{}|\\^`".
[[nodiscard]] QStringView URLUnsafeCharacters();
// Controls (Cc, Cf), white space (Zs, U+0009) and the unsafe characters.
[[nodiscard]] const CharacterSet& URLIllegalSet();
// URLIllegalSet and ",".
[[nodiscard]] const CharacterSet& URLIllegalSetPlusComma();
// Builds both URL sets on the first call; returns URLIllegalSet.
const CharacterSet& buildBoundaryCharacterSets();
// The characters "()<>[],;:\\/\" \t\r\n" and U+0000.
[[nodiscard]] const CharacterSet& emailIllegals();

// True when any marker occurs in the range, ignoring case.
[[nodiscard]] bool isLikelyURLInRange(const QString& text, Range range);
// Every occurrence of every marker in the range, ignoring case, grouped by marker in list
// order and in text order within a group; nullopt (not an empty list) when there is none. As
// for the caseless search, an occurrence is whole grapheme clusters: ".org" followed by a
// combining mark is none.
[[nodiscard]] std::optional<QList<Range>> rangesOfURLMarkersInRange(const QString& text, Range range);
// The address holding the marker: for "@" the validated e-mail address around it inside the
// e-mail legal text around it, or that legal text when it does not validate (an earlier
// address in the same legal text is never the answer); for any other marker
// the URL legal text around it. Not found when the marker lies outside the range.
[[nodiscard]] Range rangeOfURLAroundMarkerAtRangeInRange(const QString& text, Range marker, Range range);

// The run of characters outside URLIllegalSet around index, within range.
[[nodiscard]] Range rangeOfURLLegalTextAroundCharIndexInRange(const QString& text, quint32 index, Range range);
// The same with URLIllegalSetPlusComma.
[[nodiscard]] Range rangeOfEmailLegalTextAroundCharIndexInRange(const QString& text, quint32 index, Range range);
// The longest run of non-members of set that holds index, cut at the range's ends; the
// one-unit range of the index when that unit is a member.
[[nodiscard]] Range rangeOfCharactersDelimitedBySetAroundIndexInRange(const QString& text, const CharacterSet& set,
                                                                      quint32 index, Range range);
// The part of range before its first member of set, or with BackwardsSearch in options the
// part after its last member; the whole (clipped) range when it holds no member. With
// AnchoredSearch only the range's first (last, backwards) unit counts as a member.
[[nodiscard]] Range rangeOfCharactersDelimitedBySetInRangeOptions(const QString& text, const CharacterSet& set,
                                                                  Range range, quint32 options);

// The text around the range's first "@" up to the nearest of "(),;:/" on either side, when
// it is at least 5 units long, has something before the "@", holds exactly one "@", and its
// last "." comes after the "@" and is not its last unit; otherwise not found.
[[nodiscard]] Range rangeOfEmailAddressInRange(const QString& text, Range range);
// The text around the range's first "@" up to the nearest member of emailIllegals on either
// side, when it is longer than 5 units; otherwise not found. No dot test.
[[nodiscard]] Range rangeOfNextEmailAddressInRange(const QString& text, Range range);
// Every candidate of rangeOfNextEmailAddressInRange in text order, each next window running
// from the end of the last candidate to the end of the text (not of the range); the scan
// stops at the first window without a candidate. Empty when there is none.
[[nodiscard]] QList<Range> extractEmailAddressRangesFromRange(const QString& text, Range range);
// As rangeOfNextEmailAddressInRange, with the unsafe characters as the only boundaries.
[[nodiscard]] Range rangeOfNextURLInRange(const QString& text, Range range);

} // namespace tz
