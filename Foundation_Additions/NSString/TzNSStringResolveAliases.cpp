#include "Foundation_Additions/NSString/TzNSStringResolveAliases.h"

#include "Foundation_Additions/NSString/PathRules.h"

#include <QFile>

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

} // namespace

QString resolveAliasFile(const QString& path)
{
    return resolve(path);
}

QString resolvedPath(const QString& path)
{
    return resolve(path::standardized(path));
}

QString stringByResolvingSymlinksAndAliasesInPath(const QString& path)
{
    const QString resolved = resolvedPath(path);
    return resolved.isNull() ? path : resolved;
}

} // namespace tz
