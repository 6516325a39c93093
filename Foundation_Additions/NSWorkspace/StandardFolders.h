// Where the standard folders are on a Linux desktop, by folder type and domain, in both naming
// schemes of folder types. DATA is $XDG_DATA_HOME, CACHE $XDG_CACHE_HOME, CONFIG $XDG_CONFIG_HOME
// (by default ~/.local/share, ~/.cache, ~/.config); XDG names a folder of ~/.config/user-dirs.dirs.
//
//   type                 newer older  user domain        local domain                   system domain
//   applications         1     apps   DATA/applications  /usr/local/share/applications  /usr/share/applications
//   documentation        8     -      -                  /usr/local/share/doc           /usr/share/doc
//   documents            9     docs   XDG documents      -                              -
//   desktop              12    desk   XDG desktop        -                              -
//   caches               13    cach   CACHE              /var/cache                     -
//   application support  14    asup   DATA               /usr/local/share               /usr/share
//   downloads            15    down   XDG download       -                              -
//   movies               17    mdoc   XDG videos         -                              -
//   music                18    -      XDG music          -                              -
//   pictures             19    pdoc   XDG pictures       -                              -
//   trash                102   trsh   DATA/Trash         -                              -
//   preferences          -     pref   CONFIG             /etc/xdg                       -
//   fonts                -     font   DATA/fonts         /usr/local/share/fonts         /usr/share/fonts
//   temporary items      -     temp   $TMPDIR or /tmp    -                              -
//
// The network domain has no folders.
#pragma once

#include <QString>

namespace tz {

// Newer-scheme folder types (search-path directory codes) and domain masks.
inline constexpr quint32 NSApplicationDirectory = 1;
inline constexpr quint32 NSDocumentationDirectory = 8;
inline constexpr quint32 NSDocumentDirectory = 9;
inline constexpr quint32 NSDesktopDirectory = 12;
inline constexpr quint32 NSCachesDirectory = 13;
inline constexpr quint32 NSApplicationSupportDirectory = 14;
inline constexpr quint32 NSDownloadsDirectory = 15;
inline constexpr quint32 NSMoviesDirectory = 17;
inline constexpr quint32 NSMusicDirectory = 18;
inline constexpr quint32 NSPicturesDirectory = 19;
inline constexpr quint32 NSTrashDirectory = 102;

inline constexpr qint32 NSUserDomainMask = 1;
inline constexpr qint32 NSLocalDomainMask = 2;
inline constexpr qint32 NSNetworkDomainMask = 4;
inline constexpr qint32 NSSystemDomainMask = 8;
inline constexpr qint32 NSAllDomainsMask = 0xFFFF;

// Older-scheme folder types (four characters, the first in the most significant byte) and domains.
inline constexpr quint32 kApplicationsFolderType = 0x61707073;       // 'apps'
inline constexpr quint32 kDocumentsFolderType = 0x646F6373;          // 'docs'
inline constexpr quint32 kDesktopFolderType = 0x6465736B;            // 'desk'
inline constexpr quint32 kCachedDataFolderType = 0x63616368;         // 'cach'
inline constexpr quint32 kApplicationSupportFolderType = 0x61737570; // 'asup'
inline constexpr quint32 kDownloadsFolderType = 0x646F776E;          // 'down'
inline constexpr quint32 kMovieDocumentsFolderType = 0x6D646F63;     // 'mdoc'
inline constexpr quint32 kPictureDocumentsFolderType = 0x70646F63;   // 'pdoc'
inline constexpr quint32 kTrashFolderType = 0x74727368;              // 'trsh'
inline constexpr quint32 kPreferencesFolderType = 0x70726566;        // 'pref'
inline constexpr quint32 kFontsFolderType = 0x666F6E74;              // 'font'
inline constexpr quint32 kTemporaryFolderType = 0x74656D70;          // 'temp'

inline constexpr qint16 kOnAppropriateDisk = -32767;
inline constexpr qint16 kSystemDomain = -32766;
inline constexpr qint16 kLocalDomain = -32765;
inline constexpr qint16 kNetworkDomain = -32764;
inline constexpr qint16 kUserDomain = -32763;

// The folder of the table for a type of either scheme in one domain (a single mask bit: user,
// local, network or system); none (null) where the table has none.
[[nodiscard]] QString standardFolder(quint32 folderType, qint32 domainMask);

} // namespace tz
