#include "Foundation/Data.h"

#include <QHashFunctions>

namespace tz {

std::shared_ptr<const Data> Data::make(const QByteArray& bytes)
{
    return std::make_shared<const Data>(bytes);
}

QString Data::description() const
{
    static constexpr char digits[] = "0123456789abcdef";
    QString text;
    text.reserve(2 + _bytes.size() * 2 + _bytes.size() / 4);
    text += u'<';
    for (qsizetype i = 0; i < _bytes.size(); ++i) {
        if (i > 0 && i % 4 == 0)
            text += u' ';
        const auto byte = static_cast<unsigned char>(_bytes.at(i));
        text += QLatin1Char(digits[byte >> 4]);
        text += QLatin1Char(digits[byte & 0xF]);
    }
    text += u'>';
    return text;
}

bool Data::isEqual(const Object& other) const
{
    const auto* d = dynamic_cast<const Data*>(&other);
    return d && d->_bytes == _bytes;
}

std::size_t Data::hash() const
{
    return ::qHash(_bytes);
}

} // namespace tz
