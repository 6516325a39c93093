#include "Foundation/Format.h"

#include <QByteArray>

#include <algorithm>
#include <cstdio>

namespace tz {

namespace {

std::int64_t asSigned(const FormatArg* arg)
{
    if (!arg)
        return 0;
    return std::visit(
        [](const auto& v) -> std::int64_t {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::int64_t> || std::is_same_v<T, std::uint64_t>)
                return std::int64_t(v);
            else if constexpr (std::is_same_v<T, double>)
                return v >= -9.2e18 && v <= 9.2e18 ? std::int64_t(v) : 0;
            else if constexpr (std::is_same_v<T, Id>)
                return v ? v->longLongValue().value_or(0) : 0;
            else if constexpr (std::is_same_v<T, const void*>)
                return std::int64_t(reinterpret_cast<std::intptr_t>(v));
            else
                return v.toLongLong();
        },
        arg->value());
}

double asDouble(const FormatArg* arg)
{
    if (!arg)
        return 0;
    return std::visit(
        [](const auto& v) -> double {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_arithmetic_v<T>)
                return double(v);
            else if constexpr (std::is_same_v<T, Id>)
                return v ? v->doubleValue().value_or(0) : 0;
            else if constexpr (std::is_same_v<T, const void*>)
                return 0;
            else
                return v.toDouble();
        },
        arg->value());
}

QString asText(const FormatArg* arg)
{
    if (!arg)
        return QStringLiteral("(null)");
    return std::visit(
        [](const auto& v) -> QString {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, QString>)
                return v.isNull() ? QStringLiteral("(null)") : v;
            else if constexpr (std::is_same_v<T, Id>)
                return describe(v);
            else if constexpr (std::is_same_v<T, double>)
                return QString::number(v);
            else if constexpr (std::is_same_v<T, const void*>)
                return v ? QString::asprintf("%p", v) : QStringLiteral("(null)");
            else
                return QString::number(v);
        },
        arg->value());
}

// Fits an integer argument to the width its length modifier names, as C's promotion would.
std::uint64_t truncated(std::int64_t value, const QByteArray& length, bool isSigned)
{
    if (length == "hh")
        return isSigned ? std::uint64_t(std::int64_t(std::int8_t(value))) : std::uint8_t(value);
    if (length == "h")
        return isSigned ? std::uint64_t(std::int64_t(std::int16_t(value))) : std::uint16_t(value);
    if (length.isEmpty())
        return isSigned ? std::uint64_t(std::int64_t(std::int32_t(value))) : std::uint32_t(value);
    return std::uint64_t(value);
}

QString cFormat(const QByteArray& spec, auto value)
{
    char small[128];
    const int n = std::snprintf(small, sizeof small, spec.constData(), value);
    if (n < 0)
        return {};
    if (std::size_t(n) < sizeof small)
        return QString::fromUtf8(small, n);
    QByteArray big(n + 1, Qt::Uninitialized);
    std::snprintf(big.data(), big.size(), spec.constData(), value);
    return QString::fromUtf8(big.constData(), n);
}

bool isFlag(char16_t c)
{
    return c == u'-' || c == u'+' || c == u' ' || c == u'#' || c == u'0' || c == u'\'';
}

} // namespace

QString formatList(const QString& format, const QList<FormatArg>& args)
{
    QString out;
    out.reserve(format.size() + 16 * args.size());
    qsizetype next = 0;
    auto take = [&]() -> const FormatArg* { return next < args.size() ? &args.at(next++) : nullptr; };

    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = format.at(i);
        if (c != u'%') {
            out += c;
            continue;
        }
        QByteArray spec("%");
        qsizetype j = i + 1;
        while (j < n && isFlag(format.at(j).unicode()))
            spec += char(format.at(j++).unicode());
        auto number = [&] {
            if (j < n && format.at(j) == u'*') {
                ++j;
                spec += QByteArray::number(std::clamp<std::int64_t>(asSigned(take()), -4096, 4096));
                return;
            }
            while (j < n && format.at(j).isDigit() && format.at(j).unicode() < 128)
                spec += char(format.at(j++).unicode());
        };
        number();
        if (j < n && format.at(j) == u'.') {
            spec += '.';
            ++j;
            number();
        }
        QByteArray length;
        while (j < n && QStringLiteral("hlLqjzt").contains(format.at(j)))
            length += char(format.at(j++).unicode());
        if (j >= n) {
            out += format.mid(i);
            break;
        }
        const char16_t conv = format.at(j).unicode();
        i = j;
        switch (conv) {
        case u'%': out += u'%'; break;
        case u'@': out += asText(take()); break;
        case u'd':
        case u'i':
            out += cFormat(spec + "lld", static_cast<long long>(truncated(asSigned(take()), length, true)));
            break;
        case u'o':
        case u'u':
        case u'x':
        case u'X':
            out += cFormat(spec + "ll" + char(conv),
                           static_cast<unsigned long long>(truncated(asSigned(take()), length, false)));
            break;
        case u'c':
        case u'C': out += QChar(char16_t(asSigned(take()))); break;
        case u's':
        case u'S': out += cFormat(spec + 's', asText(take()).toUtf8().constData()); break;
        case u'p': {
            const FormatArg* arg = take();
            const void* p = arg && std::holds_alternative<const void*>(arg->value())
                ? std::get<const void*>(arg->value())
                : nullptr;
            out += cFormat(spec + 'p', p);
            break;
        }
        case u'e':
        case u'E':
        case u'f':
        case u'F':
        case u'g':
        case u'G':
        case u'a':
        case u'A': out += cFormat(spec + char(conv), asDouble(take())); break;
        default:
            // Unknown conversion: keep the text as written.
            out += QString::fromLatin1(spec) + QString::fromLatin1(length) + QChar(conv);
            break;
        }
    }
    return out;
}

} // namespace tz
