// Lines: the ranges lie inside the text, in order, each followed by exactly one terminator
// (CR LF counting as one) or the end, so that ranges and terminators cover the text; the
// vectorised and the portable search cut the same lines.
#include "Foundation/VectorPaths.h"
#include "Foundation_Additions/NSString/TzNSStringLinesFromString.h"

#include "FuzzInput.h"

namespace {

bool isTerminator(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == 0x85 || c == 0x2028 || c == 0x2029;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = utf16FromBytes(data, size);
    const QList<tz::Range> ranges = tz::lineRanges(text);
    const QStringList lines = tz::lines(text);
    FUZZ_CHECK(ranges.size() == lines.size());
    qsizetype at = 0;
    for (qsizetype i = 0; i < ranges.size(); ++i) {
        const tz::Range r = ranges.at(i);
        FUZZ_CHECK(r.location == quint64(at) && r.end() <= quint64(text.size()));
        const QStringView contents = QStringView(text).sliced(r.location, r.length);
        FUZZ_CHECK(lines.at(i) == contents);
        for (const QChar c : contents)
            FUZZ_CHECK(!isTerminator(c.unicode()));
        at = qsizetype(r.end());
        if (at == text.size())
            break;
        FUZZ_CHECK(isTerminator(text.at(at).unicode()));
        at += (text.at(at) == u'\r' && at + 1 < text.size() && text.at(at + 1) == u'\n') ? 2 : 1;
    }
    FUZZ_CHECK(at == text.size());
    tz::setVectorPathsEnabled(false);
    const QList<tz::Range> portable = tz::lineRanges(text);
    tz::setVectorPathsEnabled(true);
    FUZZ_CHECK(portable == ranges);
    return 0;
}
