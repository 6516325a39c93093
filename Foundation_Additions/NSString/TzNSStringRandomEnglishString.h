// Random English words and compound names from the library's word list "shortwords.txt"
// (a Qt resource of tzkit, one word per line). Random numbers come from the system's
// cryptographic source.
#pragma once

#include <QStringList>

namespace tz {

// "shortwords.txt".
[[nodiscard]] QString wordlistFilename();
// The lines of the word list, read once and kept; empty (and retried next time) when the
// resource cannot be read.
[[nodiscard]] QStringList wordList();
// One random line of the word list; a null QString when the list is empty.
[[nodiscard]] QString randomEnglishWord();
// count distinct capitalised words joined without separator, such as "BlueFox". Stops early
// when the list holds fewer distinct words; a null QString when it holds none and count > 0.
[[nodiscard]] QString randomCompositeStringWithWordCount(qsizetype count);
// Two words.
[[nodiscard]] QString randomCompositeString();

} // namespace tz
