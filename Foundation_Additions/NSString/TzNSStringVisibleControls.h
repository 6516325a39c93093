// Tabs and line feeds made visible, and literal substring replacement.
#pragma once

#include <QString>

namespace tz {

// Stands for a tab: U+21E5 RIGHTWARDS ARROW TO BAR.
inline constexpr char16_t tabChar = 0x21E5;
// Stands for a line feed: U+21B5 DOWNWARDS ARROW WITH CORNER LEFTWARDS.
inline constexpr char16_t returnChar = 0x21B5;

// Every LF replaced by returnChar and every tab by tabChar; nothing else changes (a CR stays).
[[nodiscard]] QString stringWithVisibleControls(const QString& text);
// The same operation as stringByReplacingSubstringWithString.
[[nodiscard]] QString replaceSubStringWithString(const QString& text, const QString& target,
                                                 const QString& replacement);

} // namespace tz
