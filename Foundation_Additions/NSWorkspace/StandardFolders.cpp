#include "Foundation_Additions/NSWorkspace/StandardFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace tz {

namespace {

enum class Folder {
    None,
    Applications,
    Documentation,
    Documents,
    Desktop,
    Caches,
    ApplicationSupport,
    Downloads,
    Movies,
    Music,
    Pictures,
    Trash,
    Preferences,
    Fonts,
    Temporary
};

Folder folderOfType(quint32 type)
{
    switch (type) {
    case NSApplicationDirectory:
    case kApplicationsFolderType: return Folder::Applications;
    case NSDocumentationDirectory: return Folder::Documentation;
    case NSDocumentDirectory:
    case kDocumentsFolderType: return Folder::Documents;
    case NSDesktopDirectory:
    case kDesktopFolderType: return Folder::Desktop;
    case NSCachesDirectory:
    case kCachedDataFolderType: return Folder::Caches;
    case NSApplicationSupportDirectory:
    case kApplicationSupportFolderType: return Folder::ApplicationSupport;
    case NSDownloadsDirectory:
    case kDownloadsFolderType: return Folder::Downloads;
    case NSMoviesDirectory:
    case kMovieDocumentsFolderType: return Folder::Movies;
    case NSMusicDirectory: return Folder::Music;
    case NSPicturesDirectory:
    case kPictureDocumentsFolderType: return Folder::Pictures;
    case NSTrashDirectory:
    case kTrashFolderType: return Folder::Trash;
    case kPreferencesFolderType: return Folder::Preferences;
    case kFontsFolderType: return Folder::Fonts;
    case kTemporaryFolderType: return Folder::Temporary;
    default: return Folder::None;
    }
}

QString writable(QStandardPaths::StandardLocation location)
{
    const QString path = QStandardPaths::writableLocation(location);
    return path.isEmpty() ? QString() : path;
}

QString userFolder(Folder folder)
{
    const QString data = writable(QStandardPaths::GenericDataLocation);
    switch (folder) {
    case Folder::Applications: return data + QStringLiteral("/applications");
    case Folder::Documents: return writable(QStandardPaths::DocumentsLocation);
    case Folder::Desktop: return writable(QStandardPaths::DesktopLocation);
    case Folder::Caches: return writable(QStandardPaths::GenericCacheLocation);
    case Folder::ApplicationSupport: return data;
    case Folder::Downloads: return writable(QStandardPaths::DownloadLocation);
    case Folder::Movies: return writable(QStandardPaths::MoviesLocation);
    case Folder::Music: return writable(QStandardPaths::MusicLocation);
    case Folder::Pictures: return writable(QStandardPaths::PicturesLocation);
    case Folder::Trash: return data + QStringLiteral("/Trash");
    case Folder::Preferences: return writable(QStandardPaths::GenericConfigLocation);
    case Folder::Fonts: return data + QStringLiteral("/fonts");
    case Folder::Temporary: return QDir::tempPath();
    case Folder::Documentation:
    case Folder::None: break;
    }
    return {};
}

QString localFolder(Folder folder)
{
    switch (folder) {
    case Folder::Applications: return QStringLiteral("/usr/local/share/applications");
    case Folder::Documentation: return QStringLiteral("/usr/local/share/doc");
    case Folder::Caches: return QStringLiteral("/var/cache");
    case Folder::ApplicationSupport: return QStringLiteral("/usr/local/share");
    case Folder::Preferences: return QStringLiteral("/etc/xdg");
    case Folder::Fonts: return QStringLiteral("/usr/local/share/fonts");
    default: return {};
    }
}

QString systemFolder(Folder folder)
{
    switch (folder) {
    case Folder::Applications: return QStringLiteral("/usr/share/applications");
    case Folder::Documentation: return QStringLiteral("/usr/share/doc");
    case Folder::ApplicationSupport: return QStringLiteral("/usr/share");
    case Folder::Fonts: return QStringLiteral("/usr/share/fonts");
    default: return {};
    }
}

} // namespace

QString standardFolder(quint32 folderType, qint32 domainMask)
{
    const Folder folder = folderOfType(folderType);
    switch (domainMask) {
    case NSUserDomainMask: return userFolder(folder);
    case NSLocalDomainMask: return localFolder(folder);
    case NSSystemDomainMask: return systemFolder(folder);
    default: return {};
    }
}

} // namespace tz
