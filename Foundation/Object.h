// The root of the object model: immutable, reference-counted values with identity.
// tz::Id is a shared pointer to a const Object; nil is an empty pointer.
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace tz {

class Object;
using Id = std::shared_ptr<const Object>;

class Object : public std::enable_shared_from_this<Object>
{
public:
    virtual ~Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    [[nodiscard]] virtual QString className() const = 0;
    // Property-list style text; collections print their elements' descriptions.
    [[nodiscard]] virtual QString description() const = 0;
    // The description as an element of a collection printed at the given nesting level
    // (strings come quoted where the property-list text form needs it).
    [[nodiscard]] virtual QString descriptionAtLevel(int level) const;
    // Equal by value; the default is identity.
    [[nodiscard]] virtual bool isEqual(const Object& other) const { return this == &other; }
    // Equal objects have equal hashes.
    [[nodiscard]] virtual std::size_t hash() const;

    // Conversions, answered only by the kinds that offer them (nullopt = not offered).
    // Number offers all of them; String offers the signed ones, boolValue and doubleValue.
    [[nodiscard]] virtual std::optional<bool> boolValue() const { return std::nullopt; }
    [[nodiscard]] virtual std::optional<std::int32_t> intValue() const { return std::nullopt; }
    [[nodiscard]] virtual std::optional<std::int64_t> longLongValue() const { return std::nullopt; }
    [[nodiscard]] virtual std::optional<std::uint32_t> unsignedIntValue() const { return std::nullopt; }
    [[nodiscard]] virtual std::optional<std::uint64_t> unsignedLongLongValue() const { return std::nullopt; }
    [[nodiscard]] virtual std::optional<double> doubleValue() const { return std::nullopt; }
    // The text form where the kind has one (strings, numbers); null otherwise.
    [[nodiscard]] virtual QString stringValue() const { return {}; }

    // This object as an Id sharing ownership with its other holders.
    [[nodiscard]] Id self() const { return shared_from_this(); }

protected:
    Object() = default;
};

// Value equality that treats two nils as equal and nil as unequal to anything else.
[[nodiscard]] bool isEqual(const Id& a, const Id& b);
// The description, or "(null)" for nil.
[[nodiscard]] QString describe(const Id& object);

// The object as a T when it is one, else nullptr.
template <typename T>
[[nodiscard]] const T* as(const Id& object)
{
    return dynamic_cast<const T*>(object.get());
}

template <typename T>
[[nodiscard]] std::shared_ptr<const T> cast(const Id& object)
{
    return std::dynamic_pointer_cast<const T>(object);
}

// Lets Ids serve as keys of hashed containers, compared with isEqual.
struct IdKey
{
    Id object;
    friend bool operator==(const IdKey& a, const IdKey& b) { return isEqual(a.object, b.object); }
};
inline std::size_t qHash(const IdKey& key, std::size_t seed = 0)
{
    return (key.object ? key.object->hash() : 0) ^ seed;
}

} // namespace tz
