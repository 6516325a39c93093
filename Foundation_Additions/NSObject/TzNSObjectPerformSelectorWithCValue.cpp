#include "Foundation_Additions/NSObject/TzNSObjectPerformSelectorWithCValue.h"

#include "Foundation/LogLine.h"

#include <type_traits>

namespace tz {

namespace {

void logBadSignature(const QString& function, QObject* receiver, Selector selector)
{
    logLine(__FILE__, __LINE__, function, QStringLiteral("BAD METHOD SIGNATURE FOR [%@ %@]"), classNameOf(receiver),
            selector.name());
}

template <typename T>
Id send(const char* function, QObject* receiver, Selector selector, T value)
{
    if (!selector)
        return {};
    const QMetaMethod method = receiver ? methodForSelector(receiver->metaObject(), selector) : QMetaMethod();
    if (method.isValid() && method.parameterCount() == 1 && method.parameterMetaType(0) == QMetaType::fromType<T>()) {
        Id result;
        const bool objectResult = method.returnMetaType() == QMetaType::fromType<Id>();
        if (invokeRaw(receiver, method, objectResult ? &result : nullptr, {&value}))
            return result;
    }
    logBadSignature(QString::fromLatin1(function), receiver, selector);
    return {};
}

// The defaults of the getters: zero, false, and the range {0, 0}.
template <typename T>
T zero()
{
    if constexpr (std::is_same_v<T, Range>)
        return Range{0, 0};
    else
        return T{};
}

// The result type comes from the template's signature; the receiver's method must share it.
template <typename T>
T get(const char* function, const char* templateSignature, QObject* receiver, Selector selector)
{
    T result = zero<T>();
    if (!selector)
        return result;
    const QMetaObject& templates = CValueGetterTemplates::staticMetaObject;
    const QMetaMethod shape = templates.method(templates.indexOfMethod(templateSignature));
    const QMetaMethod method = receiver ? methodForSelector(receiver->metaObject(), selector) : QMetaMethod();
    if (method.isValid() && method.parameterCount() == 0 && method.returnMetaType() == shape.returnMetaType()
        && invokeRaw(receiver, method, &result, {}))
        return result;
    logBadSignature(QString::fromLatin1(function), receiver, selector);
    return zero<T>();
}

} // namespace

Id performSelectorWithDouble(QObject* receiver, Selector selector, double value)
{
    return send("-[NSObject(TzNSObjectPerformSelectorWithCValue) performSelector:withDouble:]", receiver, selector,
                value);
}

Id performSelectorWithFloat(QObject* receiver, Selector selector, float value)
{
    return send("-[NSObject(TzNSObjectPerformSelectorWithCValue) performSelector:withFloat:]", receiver, selector,
                double(value));
}

Id performSelectorWithInt(QObject* receiver, Selector selector, int value)
{
    return send("-[NSObject(TzNSObjectPerformSelectorWithCValue) performSelector:withInt:]", receiver, selector, value);
}

Id performSelectorWithBool(QObject* receiver, Selector selector, bool value)
{
    return send("-[NSObject(TzNSObjectPerformSelectorWithCValue) performSelector:withBool:]", receiver, selector,
                value);
}

Id performSelectorWithPoint(QObject* receiver, Selector selector, QPointF value)
{
    return send("-[NSObject(TzNSObjectPerformSelectorWithCValue) performSelector:withPoint:]", receiver, selector,
                value);
}

Id performSelectorWithRect(QObject* receiver, Selector selector, QRectF value)
{
    return send("-[NSObject(TzNSObjectPerformSelectorWithCValue) performSelector:withRect:]", receiver, selector,
                value);
}

Id performSelectorWithRange(QObject* receiver, Selector selector, Range value)
{
    return send("-[NSObject(TzNSObjectPerformSelectorWithCValue) performSelector:withRange:]", receiver, selector,
                value);
}

double doublePerformSelector(QObject* receiver, Selector selector)
{
    return get<double>("-[NSObject(TzNSObjectPerformSelectorWithCValue) doublePerformSelector:]",
                       "doubleGetterTemplate()", receiver, selector);
}

float floatPerformSelector(QObject* receiver, Selector selector)
{
    return get<float>("-[NSObject(TzNSObjectPerformSelectorWithCValue) floatPerformSelector:]", "floatGetterTemplate()",
                      receiver, selector);
}

int intPerformSelector(QObject* receiver, Selector selector)
{
    return get<int>("-[NSObject(TzNSObjectPerformSelectorWithCValue) intPerformSelector:]", "intGetterTemplate()",
                    receiver, selector);
}

bool boolPerformSelector(QObject* receiver, Selector selector)
{
    return get<bool>("-[NSObject(TzNSObjectPerformSelectorWithCValue) boolPerformSelector:]", "boolGetterTemplate()",
                     receiver, selector);
}

QPointF pointPerformSelector(QObject* receiver, Selector selector)
{
    return get<QPointF>("-[NSObject(TzNSObjectPerformSelectorWithCValue) pointPerformSelector:]",
                        "pointGetterTemplate()", receiver, selector);
}

QRectF rectPerformSelector(QObject* receiver, Selector selector)
{
    return get<QRectF>("-[NSObject(TzNSObjectPerformSelectorWithCValue) rectPerformSelector:]", "rectGetterTemplate()",
                       receiver, selector);
}

Range rangePerformSelector(QObject* receiver, Selector selector)
{
    return get<Range>("-[NSObject(TzNSObjectPerformSelectorWithCValue) rangePerformSelector:]", "rangeGetterTemplate()",
                      receiver, selector);
}

int intPerformSelectorWithObject(QObject* receiver, Selector selector, const Id& object)
{
    if (!selector)
        return 0;
    const QMetaMethod method = receiver ? methodForSelector(receiver->metaObject(), selector) : QMetaMethod();
    int result = 0;
    if (methodHasShape<int, Id>(method) && invokeWithShape(receiver, method, &result, object))
        return result;
    logBadSignature(QStringLiteral("-[NSObject(TzNSObjectPerformSelectorWithCValue) intPerformSelector:withObject:]"),
                    receiver, selector);
    return 0;
}

} // namespace tz
