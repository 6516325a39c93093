// Canonical search and agreement runs on arbitrary UTF-16: what a non-literal search finds is
// canonically equal to the target and lies on the text's cluster boundaries; agreement runs stay
// inside the text, in order, apart from each other.
#include "Foundation/CanonicalText.h"
#include "Foundation/StringSearch.h"
#include "Foundation_Additions/NSString/TzNSStringRangesInCommon.h"

#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const quint32 options = data[0] & (tz::CaseInsensitiveSearch | tz::BackwardsSearch | tz::AnchoredSearch);
    const QString all = utf16FromBytes(data + 1, size - 1);
    const qsizetype split = all.isEmpty() ? 0 : data[1] % (all.size() + 1);
    const QString target = all.first(split);
    const QString text = all.sliced(split);

    const tz::Range found = tz::rangeOfStringOptions(text, target, options);
    if (found.found()) {
        FUZZ_CHECK(found.end() <= quint64(text.size()));
        const QString piece = text.mid(found.location, found.length).normalized(QString::NormalizationForm_D);
        const Qt::CaseSensitivity cs = (options & tz::CaseInsensitiveSearch) ? Qt::CaseInsensitive : Qt::CaseSensitive;
        FUZZ_CHECK(piece.compare(target.normalized(QString::NormalizationForm_D), cs) == 0);
    }

    const QList<tz::Range> runs = tz::rangesNotInCommonWithString(text, target);
    quint64 after = 0;
    for (const tz::Range r : runs) {
        FUZZ_CHECK(r.length > 0 && r.location >= after && r.end() <= quint64(text.size()));
        after = r.end() + 1;
    }
    return 0;
}
