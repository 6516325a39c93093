// Both splitters: pieces hold no member, and together they are the text without its members.
// The first byte picks how many of the following units form the set. The character-set search
// gives the same pieces on its vectorised and its portable path.
#include "Foundation/VectorPaths.h"
#include "Foundation_Additions/NSString/TzNSStringByDeletingCharactersInSet.h"
#include "Foundation_Additions/NSString/TzNSStringComponentsSeparatedByCharactersFromSet.h"

#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const QString all = utf16FromBytes(data + 1, size - 1);
    const qsizetype setSize = qMin<qsizetype>(data[0] % 4, all.size());
    const tz::CharacterSet set = tz::CharacterSet::fromCharacters(QStringView(all).first(setSize));
    const QString text = all.sliced(setSize);
    const QString withoutMembers = tz::stringByDeletingCharactersInSet(text, set);

    const QStringList runs = tz::componentsSeparatedByCharactersFromSet(text, set);
    for (qsizetype i = 0; i < runs.size(); ++i) {
        FUZZ_CHECK(set.indexOfMember(runs.at(i)) < 0);
        FUZZ_CHECK(!runs.at(i).isEmpty() || i == 0 || i == runs.size() - 1);
    }
    FUZZ_CHECK(runs.join(QString()) == withoutMembers);
    FUZZ_CHECK(text.isEmpty() == runs.isEmpty());

    const QStringList singles = tz::componentsSeparatedByACharacterFromSet(text, set);
    for (const QString& piece : singles)
        FUZZ_CHECK(set.indexOfMember(piece) < 0);
    FUZZ_CHECK(singles.join(QString()) == withoutMembers);
    // Every member separates, except that a trailing run of L members gives only L - 1 pieces.
    const qsizetype members = text.size() - withoutMembers.size();
    const bool endsWithMember = !text.isEmpty() && set.contains(text.back());
    if (!text.isEmpty())
        FUZZ_CHECK(singles.size() == members + 1 - (endsWithMember ? 1 : 0));
    tz::setVectorPathsEnabled(false);
    const bool agree = tz::componentsSeparatedByCharactersFromSet(text, set) == runs
        && tz::componentsSeparatedByACharacterFromSet(text, set) == singles;
    tz::setVectorPathsEnabled(true);
    FUZZ_CHECK(agree);
    return 0;
}
