// The library's run-time is Qt's meta-object system. A selector is an interned message name
// such as "saveDocument:" or "tableView:dictForRow:"; its Qt method is the camelCase join of
// its keywords ("tableViewDictForRow") and takes as many arguments as the name has colons.
// Methods that answer selectors are Q_INVOKABLE members or slots of QObject classes.
//
// The selector table holds the names interned with registerSelector and the methods of every
// class made known with registerClass (TZ_REGISTER_CLASS, once per class); a method stands for
// every selector name whose camelCase join and colon count it matches. Lookups never add to it.
#pragma once

#include "Foundation/MetaTypes.h"

#include <QByteArray>
#include <QMetaMethod>
#include <QMetaType>
#include <QString>

namespace tz {

struct SelectorEntry;

class Selector
{
public:
    // No selector.
    Selector() = default;

    [[nodiscard]] bool isNull() const { return !_entry; }
    explicit operator bool() const { return _entry; }
    // The message name, "saveDocument:"; null for no selector.
    [[nodiscard]] QString name() const;
    // The Qt method name, "saveDocument".
    [[nodiscard]] QByteArray methodName() const;
    // The number of colons in the name.
    [[nodiscard]] int argumentCount() const;

    friend bool operator==(Selector a, Selector b) { return a._entry == b._entry; }

private:
    friend Selector registerSelector(const QString& name);
    friend Selector knownSelector(const QString& name);
    explicit Selector(const SelectorEntry* entry) : _entry(entry) {}

    const SelectorEntry* _entry = nullptr;
};

// Interns the name and answers its selector; no selector for an empty name.
Selector registerSelector(const QString& name);
// Makes the methods of the class and its superclasses known to the selector table.
void registerClass(const QMetaObject* meta);
// Whether the name was interned or matches a method of a registered class.
[[nodiscard]] bool selectorIsKnown(const QString& name);
// The selector of a known name; no selector otherwise (nothing is added).
[[nodiscard]] Selector knownSelector(const QString& name);

// The camelCase join of a selector name's keywords: "tableView:dictForRow:" -> "tableViewDictForRow".
[[nodiscard]] QByteArray methodNameForSelectorName(const QString& name);
// The number of colons in a selector name.
[[nodiscard]] int argumentCountForSelectorName(const QString& name);

// The method of the class (the most derived one) that answers the selector; invalid when none.
[[nodiscard]] QMetaMethod methodForSelector(const QMetaObject* meta, Selector selector);
// Whether the object's class has a method for the selector; false for a null object or selector.
[[nodiscard]] bool respondsToSelector(const QObject* object, Selector selector);
// The class name for log lines: the meta-object's name, "nil" for a null object.
[[nodiscard]] QString classNameOf(const QObject* object);

// Whether the method's return and parameter types are exactly these (void for no result).
template <typename Result, typename... Args>
[[nodiscard]] bool methodHasShape(const QMetaMethod& method)
{
    if (!method.isValid() || method.parameterCount() != int(sizeof...(Args)))
        return false;
    if (method.returnMetaType() != QMetaType::fromType<Result>())
        return false;
    int i = 0;
    return ((method.parameterMetaType(i++) == QMetaType::fromType<Args>()) && ...);
}

// Calls the method directly on the object; result is null for a method that returns nothing.
// The caller has checked the types with methodHasShape. False when the call could not be made.
bool invokeRaw(QObject* object, const QMetaMethod& method, void* result, std::initializer_list<void*> arguments);

template <typename Result, typename... Args>
bool invokeWithShape(QObject* object, const QMetaMethod& method, Result* result, Args... args)
{
    return invokeRaw(object, method, result, {static_cast<void*>(&args)...});
}

} // namespace tz

Q_DECLARE_METATYPE(tz::Selector)

// Registers a QObject class with the selector table at static initialisation.
#define TZ_REGISTER_CLASS(Class) \
    [[maybe_unused]] static const bool tzRegistered_##Class = (::tz::registerClass(&Class::staticMetaObject), true)
