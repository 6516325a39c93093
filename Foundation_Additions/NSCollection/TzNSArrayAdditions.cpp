#include "Foundation_Additions/NSCollection/TzNSArrayAdditions.h"

#include "Foundation/LogLine.h"
#include "Foundation/Null.h"
#include "Foundation/QObjectValue.h"
#include "Foundation/Set.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <iterator>

namespace tz {

namespace {

ArrayPtr make(QList<Id> objects)
{
    return Array::make(std::move(objects));
}

qsizetype indexOfIdentical(const QList<Id>& objects, const Id& object)
{
    const auto it = std::find(objects.cbegin(), objects.cend(), object);
    return it == objects.cend() ? -1 : it - objects.cbegin();
}

qsizetype indexOfEqual(const QList<Id>& objects, const Id& object)
{
    const auto it = std::find_if(objects.cbegin(), objects.cend(), [&](const Id& o) { return isEqual(o, object); });
    return it == objects.cend() ? -1 : it - objects.cbegin();
}

ArrayPtr withoutMatching(const ArrayPtr& array, auto matches)
{
    if (!array)
        return {};
    const QList<Id>& source = array->objects();
    const auto first = std::find_if(source.cbegin(), source.cend(), matches);
    if (first == source.cend())
        return array;
    QList<Id> objects;
    objects.reserve(source.size() - 1);
    objects.append(source.cbegin(), first);
    std::copy_if(first + 1, source.cend(), std::back_inserter(objects), [&](const Id& o) { return !matches(o); });
    return make(std::move(objects));
}

// Steps 2 to 4 of a move: the element at from replaced by a private marker, the object
// inserted before index (the marker still counting), the marker removed.
ArrayPtr moved(const ArrayPtr& array, qsizetype from, int index)
{
    QList<Id> objects = array->objects();
    const Id object = objects.at(from);
    const Id marker = std::make_shared<const Null>();
    objects[from] = marker;
    objects.insert(index, object);
    objects.removeOne(marker);
    return make(std::move(objects));
}

QMetaMethod predicateMethod(QObject* receiver, Selector selector, bool withObject)
{
    if (!receiver)
        return {};
    const QMetaMethod method = methodForSelector(receiver->metaObject(), selector);
    const bool fits = withObject ? methodHasShape<bool, Id>(method) : methodHasShape<bool>(method);
    return fits ? method : QMetaMethod();
}

} // namespace

bool isGoodObjectIndex(const ArrayPtr& array, int index)
{
    return array && index >= 0 && index < array->count();
}

bool containsObjectIdenticalTo(const ArrayPtr& array, const Id& object)
{
    return array && indexOfIdentical(array->objects(), object) >= 0;
}

QList<Id> objectEnumeratorForRange(const ArrayPtr& array, Range range)
{
    if (!array || range.location >= array->count())
        return {};
    const qsizetype length = qsizetype(std::min<quint64>(range.length, quint64(array->count() - range.location)));
    return array->objects().mid(range.location, length);
}

Range rangeFromIndex(const ArrayPtr& array, int index)
{
    if (!array)
        return {0, 0};
    const int count = int(array->count());
    if (index >= 0 && index < count)
        return {quint32(index), quint32(count - index)};
    if (index == count)
        return {0, 0};
    TZ_LOG_LINE("-[NSArray(TzNSArrayAdditions) rangeFromIndex:]", "illegal index value: %d", index);
    return {0, 0};
}

Range rangeToIndex(const ArrayPtr& array, int index)
{
    if (!array)
        return {0, 0};
    if (index >= 0 && index <= array->count())
        return {0, quint32(std::max(index - 1, 0))};
    TZ_LOG_LINE("-[NSArray(TzNSArrayAdditions) rangeToIndex:]", "illegal index value: %d", index);
    return {0, 0};
}

ArrayPtr subarrayFromIndex(const ArrayPtr& array, int index)
{
    if (!array)
        return {};
    return make(objectEnumeratorForRange(array, rangeFromIndex(array, index)));
}

ArrayPtr subarrayToIndex(const ArrayPtr& array, int index)
{
    if (!array)
        return {};
    return make(objectEnumeratorForRange(array, rangeToIndex(array, index)));
}

ArrayPtr arrayByPrependingObject(const ArrayPtr& array, const Id& object)
{
    if (!array || !object)
        return array;
    QList<Id> objects;
    objects.reserve(array->count() + 1);
    objects.append(object);
    objects.append(array->objects());
    return make(std::move(objects));
}

ArrayPtr arrayByRemovingObject(const ArrayPtr& array, const Id& object)
{
    return withoutMatching(array, [&](const Id& o) { return isEqual(o, object); });
}

ArrayPtr arrayByRemovingObjectIdenticalTo(const ArrayPtr& array, const Id& object)
{
    return withoutMatching(array, [&](const Id& o) { return o == object; });
}

ArrayPtr arrayByRemovingObjectAtIndex(const ArrayPtr& array, int index)
{
    if (!array)
        return {};
    if (!isGoodObjectIndex(array, index)) {
        TZ_LOG_LINE("-[NSArray(TzNSArrayAdditions) arrayByRemovingObjectAtIndex:]",
                    " -- index %d (0x%x) out of bounds %d", index, quint32(index), array->count());
        return array;
    }
    return arrayByRemovingObjectIdenticalTo(array, array->objectAtIndex(index));
}

ArrayPtr arrayByRemovingObjectsInArray(const ArrayPtr& array, const ArrayPtr& other)
{
    if (!array || !other || other->isEmpty())
        return array;
    QSet<ObjectRef> doomed;
    doomed.reserve(other->count());
    for (const Id& o : other->objects())
        doomed.insert(ObjectRef(o.get()));
    return withoutMatching(array, [&](const Id& o) { return doomed.contains(ObjectRef(o.get())); });
}

ArrayPtr arrayByRemovingNullObjects(const ArrayPtr& array)
{
    const Id null = Null::null();
    return withoutMatching(array, [&](const Id& o) { return o == null; });
}

ArrayPtr arrayByRemovingLastObject(const ArrayPtr& array)
{
    if (!array || array->isEmpty())
        return array;
    return make(array->objects().first(array->count() - 1));
}

ArrayPtr arrayByRemovingZerothObject(const ArrayPtr& array)
{
    if (!array || array->isEmpty())
        return array;
    return make(array->objects().sliced(1));
}

ArrayPtr arrayTruncatedTo(const ArrayPtr& array, int length)
{
    if (!array)
        return {};
    if (length < 0) {
        TZ_LOG_LINE("-[NSArray(TzNSArrayAdditions) arrayTruncatedTo:]", "illegal length value: %d", length);
        return array;
    }
    if (array->count() <= length)
        return array;
    return make(array->objects().first(length));
}

ArrayPtr arrayByInsertingObjectAtIndex(const ArrayPtr& array, const Id& object, int index)
{
    if (!array)
        return {};
    if (index < 0 || index > array->count()) {
        TZ_LOG_LINE("-[NSArray(TzNSArrayAdditions) arrayByInsertingObject:atIndex:]",
                    " -- index %d (0x%x) out of bounds %d", index, quint32(index), array->count());
        return array;
    }
    if (!object)
        return array;
    QList<Id> objects = array->objects();
    objects.insert(index, object);
    return make(std::move(objects));
}

ArrayPtr arrayByInsertingObjectsFromArrayAtIndex(const ArrayPtr& array, const ArrayPtr& other, int index)
{
    if (!array || !other || other->isEmpty())
        return array;
    const qsizetype at = qBound(qsizetype(0), qsizetype(index), array->count());
    QList<Id> objects;
    objects.reserve(array->count() + other->count());
    objects.append(array->objects().first(at));
    objects.append(other->objects());
    objects.append(array->objects().sliced(at));
    return make(std::move(objects));
}

ArrayPtr arrayByReplacingObjectsInRangeWithObjectsFromArray(const ArrayPtr& array, Range range, const ArrayPtr& other)
{
    if (!array)
        return {};
    if (range.end() > quint64(array->count())) {
        TZ_LOG_LINE("-[NSArray(TzNSArrayAdditions) arrayByReplacingObjectsInRange:withObjectsFromArray:]",
                    " -- range {%u, %u} out of bounds %d", range.location, range.length, array->count());
        return array;
    }
    QList<Id> objects;
    objects.reserve(array->count() - range.length + (other ? other->count() : 0));
    objects.append(array->objects().first(range.location));
    if (other)
        objects.append(other->objects());
    objects.append(array->objects().sliced(qsizetype(range.end())));
    return make(std::move(objects));
}

ArrayPtr arrayByReplacingObjectAtIndexWithObject(const ArrayPtr& array, int index, const Id& object)
{
    if (!array)
        return {};
    if (!isGoodObjectIndex(array, index)) {
        TZ_LOG_LINE("-[NSArray(TzNSArrayAdditions) arrayByReplacingObjectAtIndex:withObject:]",
                    " -- index %d (0x%x) out of bounds %d", index, quint32(index), array->count());
        return array;
    }
    if (!object)
        return array;
    QList<Id> objects = array->objects();
    objects[index] = object;
    return make(std::move(objects));
}

ArrayPtr arrayByReplacingObjectIdenticalToWithObject(const ArrayPtr& array, const Id& old, const Id& replacement)
{
    if (!array || !replacement)
        return array;
    const qsizetype at = indexOfIdentical(array->objects(), old);
    if (at < 0)
        return array;
    QList<Id> objects = array->objects();
    objects[at] = replacement;
    return make(std::move(objects));
}

ArrayPtr arrayByReplacingObjectsIdenticalToObjectsFromArrayWithNSNull(const ArrayPtr& array, const ArrayPtr& other)
{
    if (!array || !other || other->isEmpty())
        return array;
    // Each element's positions in order, so that every x of other takes the next one left.
    QHash<const Object*, QList<qsizetype>> positions;
    for (qsizetype i = array->count() - 1; i >= 0; --i)
        positions[array->objects().at(i).get()].append(i);
    QList<Id> objects = array->objects();
    const Id null = Null::null();
    bool changed = false;
    for (const Id& x : other->objects()) {
        const auto it = positions.find(x.get());
        if (it == positions.end() || it->isEmpty())
            continue;
        objects[it->takeLast()] = null;
        changed = true;
    }
    return changed ? make(std::move(objects)) : array;
}

ArrayPtr arrayByMovingObjectToIndex(const ArrayPtr& array, const Id& object, int index)
{
    if (!array)
        return {};
    const qsizetype from = indexOfEqual(array->objects(), object);
    if (from < 0)
        return array;
    if (index < 0 || index > array->count()) {
        TZ_LOG_LINE("-[NSArray(TzNSArrayAdditions) arrayByMovingObject:toIndex:]",
                    " -- index %d (0x%x) out of bounds %d", index, quint32(index), array->count());
        return array;
    }
    return moved(array, from, index);
}

ArrayPtr arrayByMovingObjectIdenticalToToIndex(const ArrayPtr& array, const Id& object, int index)
{
    if (!array)
        return {};
    const qsizetype from = indexOfIdentical(array->objects(), object);
    if (from < 0)
        return array;
    if (index < 0 || index > array->count()) {
        TZ_LOG_LINE("-[NSArray(TzNSArrayAdditions) arrayByMovingObjectIdenticalTo:toIndex:]",
                    " -- index %d (0x%x) out of bounds %d", index, quint32(index), array->count());
        return array;
    }
    return moved(array, from, index);
}

bool containsObjectReturningYesForSelector(const ArrayPtr& array, Selector selector)
{
    return array && std::any_of(array->objects().cbegin(), array->objects().cend(), [&](const Id& o) {
               return returnsYesForSelector(o, selector);
           });
}

bool containsObjectReturningYesForSelectorObject(const ArrayPtr& array, Selector selector, const Id& object)
{
    return array && std::any_of(array->objects().cbegin(), array->objects().cend(), [&](const Id& o) {
               return returnsYesForSelectorObject(o, selector, object);
           });
}

ArrayPtr objectsReturningYesForSelector(const ArrayPtr& array, Selector selector)
{
    if (!array)
        return {};
    QList<Id> objects;
    for (const Id& o : array->objects()) {
        if (returnsYesForSelector(o, selector))
            objects.append(o);
    }
    return make(std::move(objects));
}

ArrayPtr objectsReturningYesForSelectorObject(const ArrayPtr& array, Selector selector, const Id& object)
{
    if (!array)
        return {};
    QList<Id> objects;
    for (const Id& o : array->objects()) {
        if (returnsYesForSelectorObject(o, selector, object))
            objects.append(o);
    }
    return make(std::move(objects));
}

ArrayPtr subarrayWithIndexSet(const ArrayPtr& array, const std::set<int>& indexes)
{
    if (!array)
        return {};
    QList<Id> objects;
    for (const int i : indexes) {
        if (isGoodObjectIndex(array, i))
            objects.append(array->objectAtIndex(i));
    }
    return make(std::move(objects));
}

bool returnsYesForSelector(QObject* receiver, Selector selector)
{
    if (!receiver)
        return false;
    const QMetaMethod method = predicateMethod(receiver, selector, false);
    bool result = false;
    if (!invokeWithShape(receiver, method, &result)) {
        TZ_LOG_LINE("-[NSObject(returnsYesForSelector) returnsYesForSelector:]", "BAD METHOD SIGNATURE FOR [%@ %@]",
                    classNameOf(receiver), selector.name());
        return false;
    }
    return result;
}

bool returnsYesForSelectorObject(QObject* receiver, Selector selector, const Id& object)
{
    if (!receiver)
        return false;
    const QMetaMethod method = predicateMethod(receiver, selector, true);
    bool result = false;
    if (!invokeWithShape(receiver, method, &result, object)) {
        TZ_LOG_LINE("-[NSObject(returnsYesForSelector) returnsYesForSelector:object:]",
                    "BAD METHOD SIGNATURE FOR [%@ %@]", classNameOf(receiver), selector.name());
        return false;
    }
    return result;
}

bool returnsYesForSelector(const Id& receiver, Selector selector)
{
    if (!receiver)
        return false;
    if (const auto* value = as<QObjectValue>(receiver); value && value->object())
        return returnsYesForSelector(value->object(), selector);
    TZ_LOG_LINE("-[NSObject(returnsYesForSelector) returnsYesForSelector:]", "BAD METHOD SIGNATURE FOR [%@ %@]",
                receiver->className(), selector.name());
    return false;
}

bool returnsYesForSelectorObject(const Id& receiver, Selector selector, const Id& object)
{
    if (!receiver)
        return false;
    if (const auto* value = as<QObjectValue>(receiver); value && value->object())
        return returnsYesForSelectorObject(value->object(), selector, object);
    TZ_LOG_LINE("-[NSObject(returnsYesForSelector) returnsYesForSelector:object:]", "BAD METHOD SIGNATURE FOR [%@ %@]",
                receiver->className(), selector.name());
    return false;
}

} // namespace tz
