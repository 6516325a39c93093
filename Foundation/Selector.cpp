#include "Foundation/Selector.h"

#include <QHash>
#include <QMetaObject>
#include <QMutex>
#include <QSet>

#include <memory>
#include <unordered_map>

namespace tz {

struct SelectorEntry
{
    QString name;
    QByteArray method;
    int arguments;
};

namespace {

using MethodKey = std::pair<QByteArray, int>;

struct SelectorTable
{
    QMutex mutex;
    // Entries never move or go away, so selectors can point at them.
    QHash<QString, std::shared_ptr<const SelectorEntry>> names;
    QSet<MethodKey> methods;
    QSet<const QMetaObject*> classes;

    const SelectorEntry* intern(const QString& name)
    {
        auto& entry = names[name];
        if (!entry)
            entry = std::make_shared<const SelectorEntry>(
                SelectorEntry{name, methodNameForSelectorName(name), argumentCountForSelectorName(name)});
        return entry.get();
    }
};

SelectorTable& table()
{
    static SelectorTable instance;
    return instance;
}

} // namespace

QString Selector::name() const
{
    return _entry ? _entry->name : QString();
}

QByteArray Selector::methodName() const
{
    return _entry ? _entry->method : QByteArray();
}

int Selector::argumentCount() const
{
    return _entry ? _entry->arguments : 0;
}

QByteArray methodNameForSelectorName(const QString& name)
{
    QString joined;
    joined.reserve(name.size());
    bool first = true;
    for (const QStringView keyword : QStringView(name).split(u':', Qt::SkipEmptyParts)) {
        if (first) {
            joined += keyword;
            first = false;
        } else {
            joined += keyword.front().toUpper();
            joined += keyword.mid(1);
        }
    }
    return joined.toUtf8();
}

int argumentCountForSelectorName(const QString& name)
{
    return int(name.count(u':'));
}

Selector registerSelector(const QString& name)
{
    if (methodNameForSelectorName(name).isEmpty())
        return {};
    SelectorTable& t = table();
    const QMutexLocker lock(&t.mutex);
    return Selector(t.intern(name));
}

void registerClass(const QMetaObject* meta)
{
    if (!meta)
        return;
    SelectorTable& t = table();
    const QMutexLocker lock(&t.mutex);
    if (t.classes.contains(meta))
        return;
    t.classes.insert(meta);
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        t.methods.insert({method.name(), method.parameterCount()});
    }
}

bool selectorIsKnown(const QString& name)
{
    const QByteArray method = methodNameForSelectorName(name);
    if (method.isEmpty())
        return false;
    SelectorTable& t = table();
    const QMutexLocker lock(&t.mutex);
    return t.names.contains(name) || t.methods.contains({method, argumentCountForSelectorName(name)});
}

Selector knownSelector(const QString& name)
{
    const QByteArray method = methodNameForSelectorName(name);
    if (method.isEmpty())
        return {};
    SelectorTable& t = table();
    const QMutexLocker lock(&t.mutex);
    if (const auto it = t.names.constFind(name); it != t.names.cend())
        return Selector(it->get());
    if (!t.methods.contains({method, argumentCountForSelectorName(name)}))
        return {};
    // A registered method already stands for this name; giving it an entry adds no new method.
    return Selector(t.intern(name));
}

QMetaMethod methodForSelector(const QMetaObject* meta, Selector selector)
{
    if (!meta || !selector)
        return {};
    const QByteArray name = selector.methodName();
    const int arguments = selector.argumentCount();
    for (int i = meta->methodCount() - 1; i >= 0; --i) {
        const QMetaMethod method = meta->method(i);
        if (method.parameterCount() == arguments && method.name() == name)
            return method;
    }
    return {};
}

bool respondsToSelector(const QObject* object, Selector selector)
{
    return object && methodForSelector(object->metaObject(), selector).isValid();
}

QString classNameOf(const QObject* object)
{
    return object ? QString::fromLatin1(object->metaObject()->className()) : QStringLiteral("nil");
}

bool invokeRaw(QObject* object, const QMetaMethod& method, void* result, std::initializer_list<void*> arguments)
{
    if (!object || !method.isValid() || qsizetype(arguments.size()) != method.parameterCount() || arguments.size() > 10)
        return false;
    QByteArray names[10];
    QGenericArgument args[10];
    int i = 0;
    for (void* a : arguments) {
        names[i] = method.parameterTypeName(i);
        args[i] = QGenericArgument(names[i].constData(), a);
        ++i;
    }
    const QByteArray returnName = method.typeName();
    const QGenericReturnArgument ret =
        result ? QGenericReturnArgument(returnName.constData(), result) : QGenericReturnArgument();
    return method.invoke(object, Qt::DirectConnection, ret, args[0], args[1], args[2], args[3], args[4], args[5],
                         args[6], args[7], args[8], args[9]);
}

} // namespace tz
