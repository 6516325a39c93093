// The path rules the path operations share: "/" separates components, the component list of an
// absolute path begins with "/", and the extension follows the last "." of the last component.
#pragma once

#include <QString>
#include <QStringList>

namespace tz::path {

// A leading "~" (alone or before "/") replaced by the home folder; any other path unchanged.
[[nodiscard]] QString expandingTilde(const QString& path);
// "~" expanded, empty and "." components removed, ".." resolved in absolute paths (none above the
// root), no trailing "/". A relative path that standardises to nothing gives ".".
[[nodiscard]] QString standardized(const QString& path);
// «/a/b» gives "/", «a», «b»; «a//b/» gives «a», «b»; the empty string gives none.
[[nodiscard]] QStringList components(const QString& path);
// The reverse of components: a first component "/" makes the path absolute.
[[nodiscard]] QString fromComponents(const QStringList& components);
// The path and the component joined with one "/"; the component alone when the path is empty.
[[nodiscard]] QString appendingComponent(const QString& path, const QString& component);
// The text after the last "/" (trailing "/" ignored); "/" for the root.
[[nodiscard]] QString lastComponent(const QString& path);
// The path without its last component: «/a/b» gives «/a», «/a» gives "/", «a» the empty string.
[[nodiscard]] QString deletingLastComponent(const QString& path);
// The text after the last "." of the last component; none when the only "." is its first
// character (a hidden file's name has no extension) or when there is no ".".
[[nodiscard]] QString extension(const QString& path);
[[nodiscard]] QString deletingExtension(const QString& path);
// The path with "." and the extension appended; the path itself for an empty extension.
[[nodiscard]] QString appendingExtension(const QString& path, const QString& extension);

} // namespace tz::path
