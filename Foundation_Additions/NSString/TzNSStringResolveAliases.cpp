#include "Foundation_Additions/NSString/TzNSStringResolveAliases.h"

#include <QDir>
#include <QStringList>

#include <cstdlib>
#include <memory>

#include <sys/stat.h>

namespace tz {

namespace {

enum class Kind { Missing, Link, Other };

Kind kindOf(const QString& path)
{
    struct stat info
    {};
    if (path.isEmpty() || ::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return Kind::Missing;
    return S_ISLNK(info.st_mode) ? Kind::Link : Kind::Other;
}

// The end of the link chain as a canonical path; null when the chain is broken or loops.
QString chainEnd(const QString& path)
{
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(QFile::encodeName(path).constData(), nullptr),
                                                               &std::free);
    return resolved ? QFile::decodeName(resolved.get()) : QString();
}

QString resolve(const QString& path)
{
    switch (kindOf(path)) {
    case Kind::Missing: return {};
    case Kind::Other: return path;
    case Kind::Link: break;
    }
    return chainEnd(path);
}

// "~" expanded, empty and "." components removed, ".." resolved in absolute paths, no trailing "/".
QString stringByStandardizingPath(const QString& path)
{
    QString expanded = path;
    if (path == u"~" || path.startsWith(u"~/"))
        expanded = QDir::homePath() + path.sliced(1);
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

} // namespace

QString resolveAliasFile(const QString& path)
{
    return resolve(path);
}

QString resolvedPath(const QString& path)
{
    return resolve(stringByStandardizingPath(path));
}

QString stringByResolvingSymlinksAndAliasesInPath(const QString& path)
{
    const QString resolved = resolvedPath(path);
    return resolved.isNull() ? path : resolved;
}

} // namespace tz
