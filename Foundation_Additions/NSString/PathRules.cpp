#include "Foundation_Additions/NSString/PathRules.h"

#include <QDir>

namespace tz::path {

namespace {

// The index of the extension's dot in the last component, or -1.
qsizetype extensionDot(QStringView path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > slash + 1 ? dot : -1;
}

QStringView withoutTrailingSlashes(QStringView path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

} // namespace

QString expandingTilde(const QString& path)
{
    if (path == u"~" || path.startsWith(u"~/"))
        return QDir::homePath() + path.sliced(1);
    return path;
}

QString standardized(const QString& path)
{
    const QString expanded = expandingTilde(path);
    const bool absolute = expanded.startsWith(u'/');
    QStringList kept;
    for (const QStringView part : QStringView(expanded).split(u'/', Qt::SkipEmptyParts)) {
        if (part == u".")
            continue;
        if (absolute && part == u"..") {
            if (!kept.isEmpty())
                kept.removeLast();
            continue;
        }
        kept.append(part.toString());
    }
    const QString joined = kept.join(u'/');
    if (absolute)
        return u'/' + joined;
    return joined.isEmpty() && !expanded.isEmpty() ? QStringLiteral(".") : joined;
}

QStringList components(const QString& path)
{
    QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
    if (path.startsWith(u'/'))
        parts.prepend(QStringLiteral("/"));
    return parts;
}

QString fromComponents(const QStringList& components)
{
    if (components.isEmpty())
        return QStringLiteral("");
    if (components.first() == u"/")
        return u'/' + components.sliced(1).join(u'/');
    return components.join(u'/');
}

QString appendingComponent(const QString& path, const QString& component)
{
    if (path.isEmpty())
        return component;
    if (component.isEmpty())
        return path;
    const bool slashBefore = path.endsWith(u'/');
    const bool slashAfter = component.startsWith(u'/');
    if (slashBefore && slashAfter)
        return path + component.sliced(1);
    if (slashBefore || slashAfter)
        return path + component;
    return path + u'/' + component;
}

QString lastComponent(const QString& path)
{
    const QStringView trimmed = withoutTrailingSlashes(path);
    if (trimmed == u"/")
        return QStringLiteral("/");
    return trimmed.sliced(trimmed.lastIndexOf(u'/') + 1).toString();
}

QString deletingLastComponent(const QString& path)
{
    const QStringView trimmed = withoutTrailingSlashes(path);
    const qsizetype slash = trimmed.lastIndexOf(u'/');
    if (slash < 0 || trimmed == u"/")
        return slash < 0 ? QStringLiteral("") : QStringLiteral("/");
    return slash == 0 ? QStringLiteral("/") : trimmed.first(slash).toString();
}

QString extension(const QString& path)
{
    const QStringView trimmed = withoutTrailingSlashes(path);
    const qsizetype dot = extensionDot(trimmed);
    return dot < 0 ? QStringLiteral("") : trimmed.sliced(dot + 1).toString();
}

QString deletingExtension(const QString& path)
{
    const QStringView trimmed = withoutTrailingSlashes(path);
    const qsizetype dot = extensionDot(trimmed);
    return dot < 0 ? trimmed.toString() : trimmed.first(dot).toString();
}

QString appendingExtension(const QString& path, const QString& extension)
{
    return extension.isEmpty() ? path : path + u'.' + extension;
}

} // namespace tz::path
