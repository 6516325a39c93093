#include "Foundation/PropertyListLimits.h"

#include <plist/plist.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace tz::propertyList {

namespace {

// Sums that stop one past their limit, so no count can overflow.
std::uint32_t cappedSum(std::uint64_t a, std::uint64_t b, std::int64_t limit)
{
    return std::uint32_t(std::min<std::uint64_t>(a + b, std::uint64_t(limit) + 1));
}
static_assert(maxNodes < std::numeric_limits<std::uint32_t>::max()
              && maxTextBytes < std::numeric_limits<std::uint32_t>::max());

class BinaryScan
{
public:
    explicit BinaryScan(const QByteArray& bytes)
        : _data(reinterpret_cast<const unsigned char*>(bytes.constData())),
          _size(std::uint64_t(bytes.size())),
          _nodeLimit(std::min<std::int64_t>(maxNodes, bytes.size() + maxBinaryExpansion))
    {}

    bool run()
    {
        constexpr std::uint64_t header = 8;
        constexpr std::uint64_t trailer = 32;
        if (_size < header + trailer)
            return false;
        _objectsEnd = _size - trailer;
        const unsigned char* t = _data + _objectsEnd;
        _offsetSize = t[6];
        _refSize = t[7];
        _count = bigEndian(t + 8, 8);
        const std::uint64_t top = bigEndian(t + 16, 8);
        _table = bigEndian(t + 24, 8);
        if (_offsetSize < 1 || _offsetSize > 8 || _refSize < 1 || _refSize > 8 || _count == 0 || top >= _count)
            return false;
        if (_table < header || _table > _objectsEnd || _count > (_objectsEnd - _table) / _offsetSize)
            return false;
        _state.assign(_count, Unvisited);
        _height.assign(_count, 0);
        _nodes.assign(_count, 0);
        _text.assign(_count, 0);
        _keyChecked.assign(_count, false);
        return walk(top);
    }

private:
    enum State : std::uint8_t { Unvisited, Open, Done };

    struct Frame
    {
        std::uint64_t object;
        std::uint64_t refs;  // where its references start
        std::uint64_t total; // how many it holds
        std::uint64_t next = 0;
        bool dictionary = false;
        std::uint32_t height = 0;
        std::uint32_t nodes = 1;
        std::uint32_t text = 0;
    };

    std::uint64_t bigEndian(const unsigned char* p, unsigned width) const
    {
        std::uint64_t value = 0;
        for (unsigned i = 0; i < width; ++i)
            value = (value << 8) | p[i];
        return value;
    }

    // The object's references (containers) or contents size (strings, data); false when the
    // object does not lie inside the object area.
    bool describe(std::uint64_t object, Frame& frame) const
    {
        const std::uint64_t offset = bigEndian(_data + _table + object * _offsetSize, _offsetSize);
        if (offset < 8 || offset >= _objectsEnd)
            return false;
        const unsigned char marker = _data[offset];
        const unsigned kind = marker >> 4;
        std::uint64_t length = marker & 0x0f;
        std::uint64_t start = offset + 1;
        const bool sized = kind == 0x4 || kind == 0x5 || kind == 0x6 || kind == 0x7 || kind >= 0xa;
        if (sized && length == 0x0f) {
            if (start >= _objectsEnd || (_data[start] >> 4) != 0x1 || (_data[start] & 0x0f) > 3)
                return false;
            const unsigned width = 1u << (_data[start] & 0x0f);
            if (_objectsEnd - start - 1 < width)
                return false;
            length = bigEndian(_data + start + 1, width);
            start += 1 + width;
        }
        frame = Frame{object, start, 0};
        const std::uint64_t room = _objectsEnd - std::min(start, _objectsEnd);
        switch (kind) {
        case 0x4: // data
        case 0x5: // ASCII string
        case 0x7: // UTF-8 string
            if (length > room)
                return false;
            frame.text = cappedSum(length, 0, maxTextBytes);
            return true;
        case 0x6: // UTF-16 string
            if (length > room / 2)
                return false;
            frame.text = cappedSum(length * 2, 0, maxTextBytes);
            return true;
        case 0xa: // array
        case 0xb: // ordered set
        case 0xc: // set
        case 0xd: // dictionary: keys, then values
            if (kind == 0xd && length > std::numeric_limits<std::uint64_t>::max() / 2)
                return false;
            frame.total = kind == 0xd ? length * 2 : length;
            frame.dictionary = kind == 0xd;
            return frame.total <= room / _refSize;
        default: // numbers, dates, booleans, UIDs: fixed size
            return true;
        }
    }

    // libplist asserts on a dictionary key that is not a string or holds a NUL.
    bool soundKey(std::uint64_t object) const
    {
        Frame key{object, 0, 0};
        if (!describe(object, key))
            return false;
        const std::uint64_t offset = bigEndian(_data + _table + object * _offsetSize, _offsetSize);
        const unsigned kind = _data[offset] >> 4;
        if (kind != 0x5 && kind != 0x6 && kind != 0x7)
            return false;
        // describe() checked that the contents lie inside the file and left where they start.
        std::uint64_t length = _data[offset] & 0x0f;
        if (length == 0x0f)
            length = bigEndian(_data + offset + 2, 1u << (_data[offset + 1] & 0x0f));
        const unsigned char* text = _data + key.refs;
        if (kind != 0x6)
            return !std::memchr(text, 0, length);
        for (std::uint64_t i = 0; i < length; ++i) {
            if (text[2 * i] == 0 && text[2 * i + 1] == 0)
                return false;
        }
        return true;
    }

    bool walk(std::uint64_t top)
    {
        std::vector<Frame> stack;
        Frame first{top, 0, 0};
        if (!describe(top, first))
            return false;
        _state[top] = Open;
        stack.push_back(first);
        while (!stack.empty()) {
            Frame& frame = stack.back();
            if (frame.next < frame.total) {
                const std::uint64_t child = bigEndian(_data + frame.refs + frame.next * _refSize, _refSize);
                const bool key = frame.dictionary && frame.next < frame.total / 2;
                ++frame.next;
                if (child >= _count || _state[child] == Open)
                    return false; // out of range, or a cycle
                if (key && !_keyChecked[child]) {
                    if (!soundKey(child))
                        return false;
                    _keyChecked[child] = true;
                }
                if (_state[child] == Done) {
                    add(frame, _height[child], _nodes[child], _text[child]);
                    continue;
                }
                // The root is level 0, so the stack holds at most maxDepth + 1 frames.
                Frame next{child, 0, 0};
                if (stack.size() > std::size_t(maxDepth) || !describe(child, next))
                    return false;
                _state[child] = Open;
                stack.push_back(next);
                continue;
            }
            const Frame done = frame;
            stack.pop_back();
            _state[done.object] = Done;
            _height[done.object] = done.height;
            _nodes[done.object] = done.nodes;
            _text[done.object] = done.text;
            if (done.height > std::uint32_t(maxDepth) || done.nodes > _nodeLimit || done.text > maxTextBytes)
                return false;
            if (!stack.empty())
                add(stack.back(), done.height, done.nodes, done.text);
        }
        return true;
    }

    void add(Frame& parent, std::uint32_t height, std::uint32_t nodes, std::uint32_t text) const
    {
        parent.height = std::max(parent.height, height + 1);
        parent.nodes = cappedSum(parent.nodes, nodes, _nodeLimit);
        parent.text = cappedSum(parent.text, text, maxTextBytes);
    }

    const unsigned char* _data;
    std::uint64_t _size;
    std::int64_t _nodeLimit;
    std::uint64_t _objectsEnd = 0;
    std::uint64_t _table = 0;
    std::uint64_t _count = 0;
    unsigned _offsetSize = 0;
    unsigned _refSize = 0;
    std::vector<State> _state;
    std::vector<std::uint16_t> _height;
    std::vector<std::uint32_t> _nodes;
    std::vector<std::uint32_t> _text;
    std::vector<bool> _keyChecked; // a shared key is looked into once
};

// Element nesting and count of an XML text. Comments, CDATA sections, processing instructions
// and the document type are skipped; a quoted attribute value may hold '>'.
// A character reference to U+0000 ("&#0;", "&#x000;").
bool nulReference(const char* p, const char* end)
{
    if (end - p < 4 || p[1] != '#')
        return false;
    const char* q = p + 2;
    if (*q == 'x' || *q == 'X')
        ++q;
    const char* digits = q;
    while (q < end && *q == '0')
        ++q;
    return q > digits && q < end && *q == ';';
}

bool xmlWithinLimits(const QByteArray& bytes)
{
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    const auto skipPast = [&](const char* from, const char* token) -> const char* {
        const std::size_t n = std::strlen(token);
        for (const char* q = from; q + n <= end; ++q) {
            if (std::memcmp(q, token, n) == 0)
                return q + n;
        }
        return nullptr;
    };
    const auto startsWith = [&](const char* at, const char* token) {
        const std::size_t n = std::strlen(token);
        return std::size_t(end - at) >= n && std::memcmp(at, token, n) == 0;
    };
    // A key's text may hold no NUL, raw or by reference: libplist asserts on such a key.
    const auto keyHoldsNul = [end](const char* from, const char* to) {
        if (std::memchr(from, 0, std::size_t(to - from)))
            return true;
        for (const char* a = from; (a = static_cast<const char*>(std::memchr(a, '&', std::size_t(to - a)))); ++a) {
            if (nulReference(a, end))
                return true;
        }
        return false;
    };
    const char* keyText = nullptr; // where the open <key> element's text starts
    int depth = 0;
    std::int64_t elements = 0;
    while ((p = static_cast<const char*>(std::memchr(p, '<', std::size_t(end - p))))) {
        if (startsWith(p, "<!--")) {
            p = skipPast(p + 4, "-->");
        } else if (startsWith(p, "<![CDATA[")) {
            p = skipPast(p + 9, "]]>");
        } else if (startsWith(p, "<?")) {
            p = skipPast(p + 2, "?>");
        } else if (startsWith(p, "<!")) {
            // A document type, perhaps with an internal subset in brackets.
            const char* close = skipPast(p + 2, ">");
            const char* bracket =
                close ? static_cast<const char*>(std::memchr(p, '[', std::size_t(close - p))) : nullptr;
            if (bracket) {
                const char* subsetEnd = skipPast(bracket, "]");
                close = subsetEnd ? skipPast(subsetEnd, ">") : nullptr;
            }
            p = close;
        } else if (startsWith(p, "</")) {
            if (keyText && keyHoldsNul(keyText, p))
                return false;
            keyText = nullptr;
            --depth;
            p = skipPast(p + 2, ">");
        } else {
            const char* q = p + 1;
            char quote = 0;
            for (; q < end; ++q) {
                if (quote) {
                    if (*q == quote)
                        quote = 0;
                } else if (*q == '"' || *q == '\'') {
                    quote = *q;
                } else if (*q == '>') {
                    break;
                }
            }
            if (q == end)
                return true; // an unclosed tag: libplist refuses it
            if (q[-1] != '/' && startsWith(p, "<key") && (p[4] == '>' || p[4] == ' ' || p[4] == '\t'))
                keyText = q + 1;
            if (q[-1] != '/') {
                // <plist> is level 0: it holds the root object, as the binary root is level 0.
                if (++depth > maxDepth + 2)
                    return false;
            }
            if (++elements > maxNodes + 1)
                return false;
            p = q + 1;
        }
        if (!p)
            return true; // unterminated markup: libplist refuses it
    }
    return true;
}

} // namespace

bool withinLimits(const QByteArray& bytes)
{
    if (bytes.size() >= 8 && plist_is_binary(bytes.constData(), 8))
        return BinaryScan(bytes).run();
    return xmlWithinLimits(bytes);
}

} // namespace tz::propertyList
