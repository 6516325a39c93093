// A byte-string value of the object model.
#pragma once

#include "Foundation/Object.h"

#include <QByteArray>

namespace tz {

class Data final : public Object
{
public:
    explicit Data(QByteArray bytes) : _bytes(std::move(bytes)) {}
    [[nodiscard]] static std::shared_ptr<const Data> make(const QByteArray& bytes);

    [[nodiscard]] const QByteArray& bytes() const { return _bytes; }

    [[nodiscard]] QString className() const override { return QStringLiteral("NSData"); }
    // Lower-case hex in groups of four bytes between angle brackets: <0102abcd 05>.
    [[nodiscard]] QString description() const override;
    [[nodiscard]] bool isEqual(const Object& other) const override;
    [[nodiscard]] std::size_t hash() const override;

private:
    QByteArray _bytes;
};

} // namespace tz
