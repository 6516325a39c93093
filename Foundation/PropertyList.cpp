#include "Foundation/PropertyList.h"

#include "Foundation/Array.h"
#include "Foundation/AtomicWrite.h"
#include "Foundation/Data.h"
#include "Foundation/Date.h"
#include "Foundation/Dictionary.h"
#include "Foundation/LogLine.h"
#include "Foundation/Number.h"
#include "Foundation/PropertyListLimits.h"
#include "Foundation/Set.h"
#include "Foundation/String.h"

#include <QFile>
#include <QHash>

#include <plist/plist.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>

namespace tz::propertyList {

namespace {

struct PlistFree
{
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

struct CFree
{
    void operator()(char* p) const { std::free(p); }
};
using CString = std::unique_ptr<char, CFree>;

// Dictionary keys repeat across the entries of a list; one String per distinct key serves them all.
using KeyCache = QHash<QByteArray, Id>;

// What is left of maxNodes and maxTextBytes while a tree is converted.
struct Budget
{
    std::int64_t nodes = maxNodes;
    std::int64_t textBytes = maxTextBytes;

    [[nodiscard]] bool take(std::int64_t text)
    {
        textBytes -= text;
        return --nodes >= 0 && textBytes >= 0;
    }
};

Id toObject(plist_t node, int depth, KeyCache& keys, Budget& budget)
{
    if (!node || depth > maxDepth || !budget.take(0))
        return {};
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return Number::make(value != 0);
    }
    case PLIST_UINT: {
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        // libplist keeps negative integers as their two's complement bit pattern.
        return Number::make(static_cast<std::int64_t>(value));
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return Number::make(value);
    }
    case PLIST_STRING: {
        // By pointer and length: copying out asserts on strings holding a NUL.
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        if (!budget.take(std::int64_t(length)))
            return {};
        return String::make(QString::fromUtf8(text, text ? qsizetype(length) : 0));
    }
    case PLIST_KEY: {
        char* raw = nullptr;
        plist_get_key_val(node, &raw);
        const CString text(raw);
        return String::make(QString::fromUtf8(text.get()));
    }
    case PLIST_DATA: {
        char* raw = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &raw, &length);
        const CString bytes(raw);
        if (!budget.take(std::int64_t(length)))
            return {};
        return Data::make(QByteArray(bytes.get(), qsizetype(length)));
    }
    case PLIST_DATE: {
        int32_t sec = 0;
        int32_t usec = 0;
        plist_get_date_val(node, &sec, &usec);
        // libplist answers the seconds truncated toward zero and the fraction's magnitude: before
        // the reference date the fraction counts back. (In the second just before it the sign is
        // lost: such a date reads as the same fraction after it.)
        return Date::make(Date::referenceDateOffset + (sec < 0 ? sec - usec / 1e6 : sec + usec / 1e6));
    }
    case PLIST_ARRAY: {
        const uint32_t n = plist_array_get_size(node);
        QList<Id> items;
        items.reserve(n);
        for (uint32_t i = 0; i < n; ++i) {
            Id item = toObject(plist_array_get_item(node, i), depth + 1, keys, budget);
            if (!item)
                return {};
            items.append(std::move(item));
        }
        return Array::make(std::move(items));
    }
    case PLIST_DICT: {
        QList<Dictionary::Entry> entries;
        entries.reserve(plist_dict_get_size(node));
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        for (;;) {
            char* rawKey = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, it, &rawKey, &value);
            const CString key(rawKey);
            if (!key)
                break;
            Id object = budget.take(0) ? toObject(value, depth + 1, keys, budget) : Id();
            if (!object) {
                std::free(it);
                return {};
            }
            Id& keyObject = keys[QByteArray(key.get())];
            if (!keyObject)
                keyObject = String::make(QString::fromUtf8(key.get()));
            entries.append({keyObject, std::move(object)});
        }
        std::free(it);
        return Dictionary::make(entries);
    }
    default: return {};
    }
}

// libplist takes strings as NUL-ended UTF-8: a U+0000 would end the string early and a lone
// surrogate would become U+FFFD, so such a string is refused, never written changed.
bool writable(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool paired = c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        if (paired) {
            ++i;
        } else if (c.isNull() || c.isSurrogate()) {
            TZ_LOG_LINE("tz::propertyList::toData",
                        "refusing to write a string holding U+0000 or a lone surrogate (U+%04X at %d of %d characters)",
                        unsigned(c.unicode()), int(i), int(text.size()));
            return false;
        }
    }
    return true;
}

PlistPtr toNode(const Id& object, int depth);

PlistPtr arrayNode(const QList<Id>& items, int depth)
{
    PlistPtr node(plist_new_array());
    for (const Id& item : items) {
        PlistPtr child = toNode(item, depth + 1);
        if (!child)
            return {};
        plist_array_append_item(node.get(), child.release());
    }
    return node;
}

PlistPtr toNode(const Id& object, int depth)
{
    if (!object || depth > maxDepth)
        return {};
    if (const auto* s = as<String>(object)) {
        if (!writable(s->text()))
            return {};
        return PlistPtr(plist_new_string(s->text().toUtf8().constData()));
    }
    if (const auto* n = as<Number>(object)) {
        if (n->isBoolean())
            return PlistPtr(plist_new_bool(*n->boolValue()));
        if (n->isFloatingPoint())
            return PlistPtr(plist_new_real(*n->doubleValue()));
        return PlistPtr(plist_new_uint(*n->unsignedLongLongValue()));
    }
    if (const auto* d = as<Data>(object))
        return PlistPtr(plist_new_data(d->bytes().constData(), uint64_t(d->bytes().size())));
    if (const auto* d = as<Date>(object)) {
        const double since = d->timeIntervalSinceReferenceDate();
        if (!std::isfinite(since) || std::fabs(since) >= std::numeric_limits<int32_t>::max())
            return {};
        // Whole microseconds, split into seconds (rounded down) and a fraction that is never negative.
        const std::int64_t micro = std::llround(since * 1e6);
        std::int64_t whole = micro / 1000000;
        std::int64_t fraction = micro % 1000000;
        if (fraction < 0) {
            fraction += 1000000;
            --whole;
        }
        return PlistPtr(plist_new_date(int32_t(whole), int32_t(fraction)));
    }
    // Sets are written as arrays.
    if (const auto* a = as<Array>(object))
        return arrayNode(a->objects(), depth);
    if (const auto* s = as<Set>(object))
        return arrayNode(s->allObjects(), depth);
    if (const auto* d = as<Dictionary>(object)) {
        PlistPtr node(plist_new_dict());
        for (const auto& [key, value] : d->entries()) {
            const auto* keyText = as<String>(key);
            PlistPtr child = toNode(value, depth + 1);
            if (!keyText || !child || !writable(keyText->text()))
                return {};
            plist_dict_set_item(node.get(), keyText->text().toUtf8().constData(), child.release());
        }
        return node;
    }
    return {};
}

} // namespace

Id fromData(const QByteArray& bytes)
{
    if (bytes.size() < 8 || bytes.size() > std::numeric_limits<uint32_t>::max() || !withinLimits(bytes))
        return {};
    plist_t root = nullptr;
    if (plist_is_binary(bytes.constData(), uint32_t(bytes.size())))
        plist_from_bin(bytes.constData(), uint32_t(bytes.size()), &root);
    else
        plist_from_xml(bytes.constData(), uint32_t(bytes.size()), &root);
    const PlistPtr owner(root);
    KeyCache keys;
    Budget budget;
    return toObject(root, 0, keys, budget);
}

Id readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return fromData(file.readAll());
}

QByteArray toData(const Id& object, Format format)
{
    const PlistPtr root = toNode(object, 0);
    if (!root)
        return {};
    char* raw = nullptr;
    uint32_t length = 0;
    if (format == Format::Xml)
        plist_to_xml(root.get(), &raw, &length);
    else
        plist_to_bin(root.get(), &raw, &length);
    const CString bytes(raw);
    return bytes ? QByteArray(bytes.get(), qsizetype(length)) : QByteArray();
}

bool writeFile(const Id& object, const QString& path, Format format)
{
    const QByteArray bytes = toData(object, format);
    if (bytes.isNull())
        return false;
    return writeAtomically(bytes, path);
}

} // namespace tz::propertyList
