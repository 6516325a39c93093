#include "Foundation_Additions/NSAttributedString/AttributedString.h"

#include "Foundation_Additions/NSString/TzNSStringWithUnichar.h"

#include <algorithm>

namespace tz {

AttributedString::AttributedString(const QString& text, const Attributes& attributes)
{
    appendStretch(text, attributes);
}

AttributedString AttributedString::attachmentString()
{
    return AttributedString(tz::attachmentString());
}

Range AttributedString::rangeOfRun(qsizetype runIndex) const
{
    if (runIndex < 0 || runIndex >= _runs.size())
        return notFoundRange;
    const qsizetype start = _runs[runIndex].start;
    const qsizetype end = runIndex + 1 < _runs.size() ? _runs[runIndex + 1].start : _text.size();
    return {quint32(start), quint32(end - start)};
}

std::pair<qsizetype, qsizetype> AttributedString::clip(Range range) const
{
    const qsizetype first = std::min<qsizetype>(range.location, _text.size());
    const qsizetype last = qsizetype(std::min<quint64>(range.end(), quint64(_text.size())));
    return {first, last};
}

qsizetype AttributedString::runIndexAt(qsizetype index) const
{
    const auto after = std::upper_bound(_runs.cbegin(), _runs.cend(), index,
                                        [](qsizetype i, const Run& run) { return i < run.start; });
    return (after - _runs.cbegin()) - 1;
}

Attributes AttributedString::attributesAtIndex(qsizetype index, Range* effectiveRange, Range limit) const
{
    if (index < 0 || index >= _text.size()) {
        if (effectiveRange)
            *effectiveRange = {quint32(std::clamp<qsizetype>(index, 0, _text.size())), 0};
        return {};
    }
    const qsizetype runIndex = runIndexAt(index);
    if (effectiveRange) {
        const Range run = rangeOfRun(runIndex);
        const quint64 first = std::max<quint64>(run.location, limit.location);
        const quint64 last = std::min(run.end(), limit.end());
        *effectiveRange = last > first ? Range{quint32(first), quint32(last - first)} : Range{quint32(index), 0};
    }
    return _runs[runIndex].attributes;
}

QVariant AttributedString::attributeAtIndex(const QString& name, qsizetype index) const
{
    if (index < 0 || index >= _text.size())
        return {};
    return _runs[runIndexAt(index)].attributes.value(name);
}

AttributedString AttributedString::attributedSubstringFromRange(Range range) const
{
    const auto [first, last] = clip(range);
    if (first == 0 && last == _text.size())
        return *this;
    AttributedString result;
    result.appendFrom(*this, first, last);
    return result;
}

void AttributedString::appendStretch(QStringView text, const Attributes& attributes)
{
    if (text.isEmpty())
        return;
    if (_runs.isEmpty() || _runs.constLast().attributes != attributes)
        _runs.append({_text.size(), attributes});
    _text.append(text);
}

void AttributedString::appendFrom(const AttributedString& source, qsizetype first, qsizetype last)
{
    if (first >= last)
        return;
    const QStringView text(source._text);
    for (qsizetype i = source.runIndexAt(first); i < source._runs.size() && source._runs[i].start < last; ++i) {
        const Range run = source.rangeOfRun(i);
        const qsizetype from = std::max<qsizetype>(run.location, first);
        const qsizetype to = std::min<qsizetype>(qsizetype(run.end()), last);
        appendStretch(text.sliced(from, to - from), source._runs[i].attributes);
    }
}

void MutableAttributedString::appendAttributedString(const AttributedString& other)
{
    appendFrom(other, 0, other.length());
}

void MutableAttributedString::appendString(const QString& text, const Attributes& attributes)
{
    appendStretch(text, attributes);
}

void MutableAttributedString::replaceCharactersInRange(Range range, const AttributedString& other)
{
    const auto [first, last] = clip(range);
    if (first == _text.size()) {
        appendAttributedString(other);
        return;
    }
    MutableAttributedString result;
    result.appendFrom(*this, 0, first);
    result.appendAttributedString(other);
    result.appendFrom(*this, last, _text.size());
    *this = std::move(result);
}

void MutableAttributedString::replaceCharactersInRange(Range range, const QString& text)
{
    const auto [first, last] = clip(range);
    const qsizetype styleIndex = first < last ? first : first - 1;
    replaceCharactersInRange(range, AttributedString(text, attributesAtIndex(styleIndex)));
}

void MutableAttributedString::insertAttributedStringAtIndex(const AttributedString& other, qsizetype index)
{
    replaceCharactersInRange(Range{quint32(std::clamp<qsizetype>(index, 0, _text.size())), 0}, other);
}

void MutableAttributedString::deleteCharactersInRange(Range range)
{
    replaceCharactersInRange(range, AttributedString());
}

template <typename Edit>
void MutableAttributedString::editAttributes(Range range, Edit edit)
{
    const auto [first, last] = clip(range);
    if (first >= last)
        return;
    const QString text = _text;
    const QList<Run> runs = _runs;
    _text.clear();
    _runs.clear();
    for (qsizetype i = 0; i < runs.size(); ++i) {
        const qsizetype start = runs[i].start;
        const qsizetype end = i + 1 < runs.size() ? runs[i + 1].start : text.size();
        const QStringView piece = QStringView(text).sliced(start, end - start);
        // The parts of the run before, inside and after the edited range.
        const qsizetype in = std::clamp(first, start, end) - start;
        const qsizetype out = std::clamp(last, start, end) - start;
        appendStretch(piece.first(in), runs[i].attributes);
        if (out > in) {
            Attributes edited = runs[i].attributes;
            edit(edited);
            appendStretch(piece.sliced(in, out - in), edited);
        }
        appendStretch(piece.sliced(out), runs[i].attributes);
    }
}

void MutableAttributedString::setAttributesInRange(const Attributes& attributes, Range range)
{
    editAttributes(range, [&](Attributes& a) { a = attributes; });
}

void MutableAttributedString::addAttributeInRange(const QString& name, const QVariant& value, Range range)
{
    editAttributes(range, [&](Attributes& a) { a.insert(name, value); });
}

void MutableAttributedString::addAttributesInRange(const Attributes& attributes, Range range)
{
    editAttributes(range, [&](Attributes& a) { a.insert(attributes); });
}

void MutableAttributedString::removeAttributeInRange(const QString& name, Range range)
{
    editAttributes(range, [&](Attributes& a) { a.remove(name); });
}

} // namespace tz
