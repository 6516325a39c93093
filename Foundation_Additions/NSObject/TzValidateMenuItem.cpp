#include "Foundation_Additions/NSObject/TzValidateMenuItem.h"

#include "Foundation/LogLine.h"
#include "Foundation_Additions/NSObject/TzMethodExists.h"

#include <QCoreApplication>
#include <QPointer>

namespace tz {

namespace {

constexpr char actionProperty[] = "tzActionSelector";

QPointer<QObject>& delegateSlot()
{
    static QPointer<QObject> delegate;
    return delegate;
}

Selector overridingSelector()
{
    static const Selector selector = registerSelector(QStringLiteral("validationMethodForSelector:"));
    return selector;
}

} // namespace

void setActionSelector(QAction* item, Selector action)
{
    if (item)
        item->setProperty(actionProperty, action ? QVariant(action.name()) : QVariant());
}

Selector actionSelector(const QAction* item)
{
    return item ? knownSelector(item->property(actionProperty).toString()) : Selector();
}

void setApplicationDelegate(QObject* delegate)
{
    delegateSlot() = delegate;
}

QObject* applicationDelegate()
{
    return delegateSlot().data();
}

Selector validationMethodForSelector(QObject* receiver, Selector action)
{
    if (receiver) {
        const QMetaMethod method = methodForSelector(receiver->metaObject(), overridingSelector());
        if (methodHasShape<Selector, Selector>(method)) {
            Selector mapped;
            if (invokeWithShape(receiver, method, &mapped, action))
                return mapped;
        }
    }
    return validationMethodExistsForAction(action);
}

bool TzValidateMenuItem(QAction* item, QObject* target)
{
    const Selector action = actionSelector(item);
    if (!action)
        return true;
    const Selector validation = validationMethodForSelector(target, action);
    if (validation && respondsToSelector(target, validation)) {
        const QMetaMethod method = methodForSelector(target->metaObject(), validation);
        bool enabled = false;
        if (methodHasShape<bool, QAction*>(method) && invokeWithShape(target, method, &enabled, item))
            return enabled;
        TZ_LOG_LINE("TzValidateMenuItem", "BAD METHOD SIGNATURE FOR [%@ %@]", classNameOf(target), validation.name());
        return false;
    }
    if (target && target == applicationDelegate())
        return respondsToSelector(target, action) || respondsToSelector(QCoreApplication::instance(), action);
    return true;
}

bool TzValidateMenuItem(QObject* receiver, QAction* item)
{
    return TzValidateMenuItem(item, receiver);
}

} // namespace tz
