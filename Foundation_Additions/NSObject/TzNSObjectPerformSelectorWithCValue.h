// Messages with a plain value as their argument or result, sent through the meta-object
// system. Plain values map to double, float, int, bool, QPointF (point), QRectF (rectangle)
// and tz::Range. The senders pass one value (a float widened to double on the way, so the
// method takes a double) and answer the method's tz::Id result (nil when it returns anything
// else). The getters call a method without arguments whose result type is their template's.
//
// No selector answers the defaults: nil, 0, false, the zero point and rectangle, {0, 0}. A
// receiver without a method of the expected shape for the selector writes
// "BAD METHOD SIGNATURE FOR [%@ %@]" and answers the same default, never an undefined call.
#pragma once

#include "Foundation/Selector.h"

#include <QObject>
#include <QPointF>
#include <QRectF>

namespace tz {

// The getter templates: their signatures describe each getter's result type.
class CValueGetterTemplates : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE double doubleGetterTemplate() const { return 0.0; }
    Q_INVOKABLE float floatGetterTemplate() const { return 0.0f; }
    Q_INVOKABLE int intGetterTemplate() const { return 0; }
    Q_INVOKABLE bool boolGetterTemplate() const { return false; }
    Q_INVOKABLE QPointF pointGetterTemplate() const { return {}; }
    Q_INVOKABLE QRectF rectGetterTemplate() const { return {}; }
    Q_INVOKABLE tz::Range rangeGetterTemplate() const { return {0, 0}; }
};

Id performSelectorWithDouble(QObject* receiver, Selector selector, double value);
Id performSelectorWithFloat(QObject* receiver, Selector selector, float value);
Id performSelectorWithInt(QObject* receiver, Selector selector, int value);
Id performSelectorWithBool(QObject* receiver, Selector selector, bool value);
Id performSelectorWithPoint(QObject* receiver, Selector selector, QPointF value);
Id performSelectorWithRect(QObject* receiver, Selector selector, QRectF value);
Id performSelectorWithRange(QObject* receiver, Selector selector, Range value);

double doublePerformSelector(QObject* receiver, Selector selector);
float floatPerformSelector(QObject* receiver, Selector selector);
int intPerformSelector(QObject* receiver, Selector selector);
bool boolPerformSelector(QObject* receiver, Selector selector);
QPointF pointPerformSelector(QObject* receiver, Selector selector);
QRectF rectPerformSelector(QObject* receiver, Selector selector);
Range rangePerformSelector(QObject* receiver, Selector selector);
// The method takes one tz::Id and returns int.
int intPerformSelectorWithObject(QObject* receiver, Selector selector, const Id& object);

} // namespace tz
