#include "Foundation/String.h"
#include "Foundation_Additions/NSFileManager/AppleDouble.h"
#include "Foundation_Additions/NSFileManager/TzNSFileManagerAdditions.h"

#include "support/LockedFolder.h"
#include "support/StdErrCapture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace tz;
using namespace Qt::StringLiterals;

namespace {

bool writeFile(const QString& path, qint64 size)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(QByteArray(size, 'x')) == size;
}

// Items of a tree: a name ending in "/" is a folder, "name -> target" a link, "name:size" a file.
bool makeTree(const QString& root, const QStringList& items)
{
    for (const QString& item : items) {
        if (item.endsWith(u'/')) {
            if (!QDir().mkpath(root + u'/' + item))
                return false;
        } else if (item.contains(u" -> "_s)) {
            const QStringList parts = item.split(u" -> "_s);
            if (::symlink(QFile::encodeName(parts[1]).constData(),
                          QFile::encodeName(root + u'/' + parts[0]).constData())
                != 0)
                return false;
        } else {
            const QStringList parts = item.split(u':');
            if (!writeFile(root + u'/' + parts[0], parts.value(1, u"0"_s).toLongLong()))
                return false;
        }
    }
    return true;
}

quint64 numberOf(const Id& value)
{
    return value && value->unsignedLongLongValue() ? *value->unsignedLongLongValue() : ~0ull;
}

QString pathOf(const Id& record)
{
    const auto* dict = as<Dictionary>(record);
    return dict ? textOf(dict->objectForKey(tzPathKey)) : QString();
}

} // namespace

// The additions over real temporary folders: one fresh folder per case.
class tst_TzNSFileManagerAdditions : public QObject
{
    Q_OBJECT

    QTemporaryDir _dir;
    int _serial = 0;

    QString freshFolder()
    {
        const QString path = _dir.path() + u"/case"_s + QString::number(++_serial);
        return QDir().mkpath(path) ? path : QString();
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(_dir.isValid()); }

    void attributesOfAFile()
    {
        const QString folder = freshFolder();
        const QString path = folder + u"/file"_s;
        QVERIFY(writeFile(path, 5000));
        QVERIFY(::link(QFile::encodeName(path).constData(), QFile::encodeName(folder + u"/hard"_s).constData()) == 0);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 04640) == 0);
        const QDateTime modified(QDate(2005, 3, 1), QTime(13, 5, 9), Qt::UTC);
        const struct timespec times[2] = {{0, UTIME_OMIT}, {modified.toSecsSinceEpoch(), 0}};
        QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0);
        struct stat info
        {};
        QVERIFY(::lstat(QFile::encodeName(path).constData(), &info) == 0);

        const DictionaryPtr attributes = fileAttributesAtPathTraverseLink(path, false);
        QVERIFY(attributes);
        QCOMPARE(textOf(attributes->objectForKey(NSFileType)), NSFileTypeRegular);
        QCOMPARE(numberOf(attributes->objectForKey(NSFileSize)), 5000u);
        QCOMPARE(numberOf(attributes->objectForKey(NSFilePosixPermissions)), 04640u);
        QCOMPARE(numberOf(attributes->objectForKey(NSFileReferenceCount)), quint64(info.st_nlink));
        QCOMPARE(numberOf(attributes->objectForKey(NSFileSystemFileNumber)), quint64(info.st_ino));
        QCOMPARE(numberOf(attributes->objectForKey(NSFileSystemNumber)), quint64(info.st_dev));
        QCOMPARE(numberOf(attributes->objectForKey(NSFileOwnerAccountID)), quint64(::getuid()));
        QCOMPARE(numberOf(attributes->objectForKey(NSFileGroupOwnerAccountID)), quint64(info.st_gid));
        QCOMPARE(textOf(attributes->objectForKey(NSFileOwnerAccountName)),
                 QString::fromLocal8Bit(::getpwuid(::getuid())->pw_name));
        QCOMPARE(textOf(attributes->objectForKey(NSFileGroupOwnerAccountName)),
                 QString::fromLocal8Bit(::getgrgid(info.st_gid)->gr_name));
        const auto* date = as<Date>(attributes->objectForKey(NSFileModificationDate));
        QVERIFY(date);
        QCOMPARE(date->timeIntervalSince1970(), double(modified.toSecsSinceEpoch()));
        QVERIFY(!attributes->containsKey(str(NSFileDeviceIdentifier)));
        QVERIFY(!attributes->containsKey(str(NSFileHFSTypeCode)));
        QCOMPARE(attributes->objectForKey(NSFileImmutable), boolean(false));
        QCOMPARE(attributes->objectForKey(NSFileAppendOnly), boolean(false));
        // ext4, where these tests run, keeps birth times.
        const auto* created = as<Date>(attributes->objectForKey(NSFileCreationDate));
        QVERIFY(created);
        QVERIFY(qAbs(created->timeIntervalSince1970() - QDateTime::currentSecsSinceEpoch()) < 600);
    }

    void typeAndCreatorFromTheCompanion()
    {
        const QString path = freshFolder() + u"/doc"_s;
        QVERIFY(writeFile(path, 1));
        QVERIFY(!fileHFSTypeCodeAtPath(path));
        QVERIFY(writeFinderInfo(path, QByteArray("TEXTttxt", 8) + QByteArray(24, '\0')));
        QCOMPARE(numberOf(fileHFSTypeCodeAtPath(path)), 0x54455854u);
        QCOMPARE(numberOf(fileHFSCreatorCodeAtPath(path)), 0x74747874u);
    }

    void linksFollowedOrNot()
    {
        const QString folder = freshFolder();
        QVERIFY(makeTree(folder, {u"target:3"_s, u"link -> target"_s, u"broken -> nowhere"_s}));
        QVERIFY(writeFinderInfo(folder + u"/target"_s, QByteArray("APPLaaaa", 8) + QByteArray(24, '\0')));
        const QString link = folder + u"/link"_s;
        QCOMPARE(textOf(fileAttributesAtPathTraverseLink(link, false)->objectForKey(NSFileType)),
                 NSFileTypeSymbolicLink);
        const DictionaryPtr followed = fileAttributesAtPathTraverseLink(link, true);
        QCOMPARE(textOf(followed->objectForKey(NSFileType)), NSFileTypeRegular);
        QCOMPARE(numberOf(followed->objectForKey(NSFileSize)), 3u);
        QCOMPARE(numberOf(followed->objectForKey(NSFileHFSTypeCode)), 0x4150504Cu); // the target's companion
        // The getters follow links.
        QCOMPARE(fileTypeAtPath(link), NSFileTypeRegular);
        QVERIFY(fileAttributesAtPathTraverseLink(folder + u"/broken"_s, false));
        QVERIFY(!fileAttributesAtPathTraverseLink(folder + u"/broken"_s, true));
        QVERIFY(!fileAttributeAtPath(NSFileSize, folder + u"/broken"_s));
        QVERIFY(!fileAttributesAtPathTraverseLink(folder + u"/missing"_s, false));
        QVERIFY(!fileAttributesAtPathTraverseLink(QString(), false));
    }

    void specialFilesAndFlags()
    {
        QCOMPARE(fileTypeAtPath(u"/dev/null"_s), NSFileTypeCharacterSpecial);
        QCOMPARE(numberOf(fileDeviceIdentifierAtPath(u"/dev/null"_s)), quint64(makedev(1, 3)));
        const QString folder = freshFolder();
        QCOMPARE(fileTypeAtPath(folder), NSFileTypeDirectory);
        QCOMPARE(fileImmutableAtPath(folder), Number::no());
        const LockedFolder locked(folder);
        if (!locked.isLocked() || ::geteuid() != 0)
            QSKIP("the immutable attribute needs root and a file system that keeps it");
        QCOMPARE(fileImmutableAtPath(folder), Number::yes());
    }

    // Each getter answers its key's value in the dictionary.
    void gettersAgreeWithTheDictionary_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("getter");
        const QStringList keys = {NSFileModificationDate,
                                  NSFileCreationDate,
                                  NSFileSize,
                                  NSFileHFSCreatorCode,
                                  NSFileHFSTypeCode,
                                  NSFilePosixPermissions,
                                  NSFileOwnerAccountID,
                                  NSFileGroupOwnerAccountID,
                                  NSFileImmutable,
                                  NSFileAppendOnly,
                                  NSFileReferenceCount,
                                  NSFileDeviceIdentifier,
                                  NSFileSystemFileNumber,
                                  NSFileOwnerAccountName,
                                  NSFileGroupOwnerAccountName,
                                  NSFileType};
        for (int i = 0; i < keys.size(); ++i)
            QTest::newRow(keys[i].toUtf8().constData()) << keys[i] << i;
    }
    void gettersAgreeWithTheDictionary()
    {
        QFETCH(QString, key);
        QFETCH(int, getter);
        const QString path = freshFolder() + u"/item"_s;
        QVERIFY(writeFile(path, 12));
        QVERIFY(writeFinderInfo(path, QByteArray("TYPECRTR", 8) + QByteArray(24, '\0')));
        const std::function<Id(const QString&)> getters[] = {
            [](const QString& p) { return Id(fileModificationDateAtPath(p)); },
            [](const QString& p) { return Id(fileCreationDateAtPath(p)); },
            [](const QString& p) { return Id(fileSizeAtPath(p)); },
            [](const QString& p) { return Id(fileHFSCreatorCodeAtPath(p)); },
            [](const QString& p) { return Id(fileHFSTypeCodeAtPath(p)); },
            [](const QString& p) { return Id(filePosixPermissionsAtPath(p)); },
            [](const QString& p) { return Id(fileOwnerAccountIDAtPath(p)); },
            [](const QString& p) { return Id(fileGroupOwnerAccountIDAtPath(p)); },
            [](const QString& p) { return Id(fileImmutableAtPath(p)); },
            [](const QString& p) { return Id(fileAppendOnlyAtPath(p)); },
            [](const QString& p) { return Id(fileReferenceCountAtPath(p)); },
            [](const QString& p) { return Id(fileDeviceIdentifierAtPath(p)); },
            [](const QString& p) { return Id(fileSystemFileNumberAtPath(p)); },
            [](const QString& p) { return Id(str(fileOwnerAccountNameAtPath(p))); },
            [](const QString& p) { return Id(str(fileGroupOwnerAccountNameAtPath(p))); },
            [](const QString& p) { return Id(str(fileTypeAtPath(p))); },
        };
        const Id expected = fileAttributesAtPathTraverseLink(path, true)->objectForKey(key);
        const Id got = getters[getter](path);
        if (key == NSFileDeviceIdentifier) {
            QVERIFY(!expected); // a plain file names no device
            QVERIFY(!got);
        } else {
            QVERIFY(expected);
            QVERIFY(isEqual(got, expected));
        }
        const QString missing = path + u"-missing"_s;
        const Id none = getters[getter](missing);
        QVERIFY(!none || textOf(none).isNull());
    }

    void existenceTests_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("isDirectory");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<bool>("package");
        QTest::newRow("file") << u"file"_s << true << false << false << false;
        QTest::newRow("folder") << u"plain"_s << true << true << true << false;
        QTest::newRow("application package") << u"Tool.app"_s << true << true << false << true;
        QTest::newRow("folder with Contents/Info.plist") << u"bundle"_s << true << true << false << true;
        QTest::newRow("file named like a package") << u"fake.app"_s << true << false << false << false;
        QTest::newRow("link to a folder") << u"toPlain"_s << true << true << true << false;
        QTest::newRow("broken link") << u"broken"_s << false << false << false << false;
        QTest::newRow("nothing") << u"missing"_s << false << false << false << false;
    }
    void existenceTests()
    {
        QFETCH(QString, name);
        const QString folder = freshFolder();
        QVERIFY(
            makeTree(folder,
                     {u"file"_s, u"plain/"_s, u"Tool.app/Contents/"_s, u"bundle/Contents/"_s,
                      u"bundle/Contents/Info.plist"_s, u"fake.app"_s, u"toPlain -> plain"_s, u"broken -> nowhere"_s}));
        const QString path = folder + u'/' + name;
        bool isDirectory = true;
        QTEST(fileExistsAtPath(path), "exists");
        QTEST(fileExistsAtPathIsDirectory(path, &isDirectory), "exists");
        QTEST(isDirectory, "isDirectory");
        QTEST(folderExistsAtPath(path), "folder");
        QTEST(filePackageExistsAtPath(path), "package");
    }

    void enumeratorWalksPreOrderSorted()
    {
        const QString folder = freshFolder();
        QVERIFY(makeTree(folder, {u"b:1"_s, u"a/z:1"_s, u"a/c/"_s, u"a/c/deep:1"_s, u"B/"_s, u"link -> a"_s}));
        QStringList walked;
        const auto enumerator = enumeratorAtPath(folder);
        QVERIFY(enumerator);
        for (QString item = enumerator->nextObject(); !item.isNull(); item = enumerator->nextObject())
            walked.append(item);
        // Byte order puts capitals first; the link is listed, not entered.
        QCOMPARE(walked, (QStringList{u"B"_s, u"a"_s, u"a/c"_s, u"a/c/deep"_s, u"a/z"_s, u"b"_s, u"link"_s}));

        QStringList skipping;
        const auto second = enumeratorAtPath(folder + u"/link"_s); // a root link is followed
        QVERIFY(second);
        for (QString item = second->nextObject(); !item.isNull(); item = second->nextObject()) {
            skipping.append(item);
            if (item == u"c"_s)
                second->skipDescendents();
        }
        QCOMPARE(skipping, (QStringList{u"c"_s, u"z"_s}));

        QVERIFY(!enumeratorAtPath(folder + u"/b"_s));
        QVERIFY(!enumeratorAtPath(folder + u"/missing"_s));
        const auto empty = enumeratorAtPath(folder + u"/B"_s);
        QVERIFY(empty && empty->nextObject().isNull());
    }

    void directorySizes_data()
    {
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<bool>("resolving");
        QTest::addColumn<quint64>("size");
        QTest::newRow("0, 1, 4096 and 4097 bytes")
            << QStringList{u"a:0"_s, u"b:1"_s, u"c:4096"_s, u"d:4097"_s} << false << quint64(16384);
        QTest::newRow("only empty folders") << QStringList{u"x/"_s, u"y/z/"_s} << false << quint64(0);
        QTest::newRow("files at every depth")
            << QStringList{u"top:10"_s, u"x/y/deep:8193"_s} << false << quint64(16384);
        // A link adds its own size (the length of its target text), rounded up.
        QTest::newRow("link counted as itself")
            << QStringList{u"big:5000"_s, u"link -> big"_s} << false << quint64(12288);
        QTest::newRow("link resolved to its file")
            << QStringList{u"big:5000"_s, u"link -> big"_s} << true << quint64(16384);
        QTest::newRow("link to a folder resolved adds nothing")
            << QStringList{u"sub/f:1"_s, u"link -> sub"_s} << true << quint64(4096);
        QTest::newRow("broken link resolved stays a link")
            << QStringList{u"link -> nowhere"_s} << true << quint64(4096);
    }
    void directorySizes()
    {
        QFETCH(QStringList, tree);
        QFETCH(bool, resolving);
        QFETCH(quint64, size);
        const QString folder = freshFolder();
        QVERIFY(makeTree(folder, tree));
        QCOMPARE(directorySize64ResolvingAliases(folder, resolving), size);
        QCOMPARE(quint64(directorySizeResolvingAliases(folder, resolving)), size);
        QCOMPARE(quint64(directorySizeResolvingAliases(folder + u'/', resolving)), size);
    }

    void directorySizeOfNothing()
    {
        QCOMPARE(directorySizeResolvingAliases(_dir.path() + u"/missing"_s, false), 0u);
        const QString file = freshFolder() + u"/file"_s;
        QVERIFY(writeFile(file, 10));
        QCOMPARE(directorySizeResolvingAliases(file, false), 0u);
    }

    // A sparse file of 5 GiB: the 64-bit count holds it, the 32-bit one stops at its largest value.
    void sizesBeyondFourGiBDoNotWrap()
    {
        const QString folder = freshFolder();
        const quint64 large = 5ull << 30;
        QFile file(folder + u"/sparse"_s);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(qint64(large)));
        file.close();
        QVERIFY(writeFile(folder + u"/small"_s, 1));
        QCOMPARE(directorySize64ResolvingAliases(folder, false), large + 4096);
        QCOMPARE(directorySizeResolvingAliases(folder, false), 0xFFFFFFFFu);
        std::shared_ptr<const Array> items = Array::make();
        QCOMPARE(directorySizeItemsResolvingAliases(folder, &items, false), 0xFFFFFFFFu);
        QCOMPARE(items->count(), 2);
    }

    void itemRecordsFollowTheCallersElements()
    {
        const QString folder = freshFolder();
        QVERIFY(makeTree(folder, {u"b:1"_s, u"a/"_s, u"a/inner:4097"_s, u"c -> b"_s}));
        const Id earlier = str(u"earlier"_s);
        std::shared_ptr<const Array> items = Array::make({earlier});
        const std::shared_ptr<const Array> before = items;
        QCOMPARE(directorySizeItemsResolvingAliases(folder, &items, false), 16384u);
        QCOMPARE(before->count(), 1); // the caller's old array is left as it was
        QCOMPARE(items->count(), 4);
        QCOMPARE(items->objectAtIndex(0), earlier);
        QCOMPARE(pathOf(items->objectAtIndex(1)), folder + u"/a/inner"_s);
        QCOMPARE(pathOf(items->objectAtIndex(2)), folder + u"/b"_s);
        QCOMPARE(pathOf(items->objectAtIndex(3)), folder + u"/c"_s);
        const auto* link = as<Dictionary>(items->objectAtIndex(3));
        QCOMPARE(textOf(link->objectForKey(NSFileType)), NSFileTypeSymbolicLink);
        QCOMPARE(numberOf(as<Dictionary>(items->objectAtIndex(1))->objectForKey(NSFileSize)), 4097u);

        // Resolved, the record is the target's, under its path.
        std::shared_ptr<const Array> resolved = Array::make();
        QCOMPARE(directorySizeItemsResolvingAliases(folder, &resolved, true), 16384u);
        QCOMPARE(pathOf(resolved->objectAtIndex(2)), QFileInfo(folder + u"/b"_s).canonicalFilePath());
        QCOMPARE(textOf(as<Dictionary>(resolved->objectAtIndex(2))->objectForKey(NSFileType)), NSFileTypeRegular);

        // No array, no records; the count is the same.
        std::shared_ptr<const Array> none;
        QCOMPARE(directorySizeItemsResolvingAliases(folder, &none, false), 16384u);
        QVERIFY(!none);
        QCOMPARE(directorySizeItemsResolvingAliases(folder, nullptr, false), 16384u);
    }

    void tempPaths()
    {
        const QString first = tempPathWithFormat(u"burner-%@.txt"_s);
        const QString second = tempPathWithFormat(u"burner-%@.txt"_s);
        QVERIFY(first != second);
        for (const QString& path : {first, second}) {
            QCOMPARE(QFileInfo(path).path(), QDir::tempPath());
            QVERIFY(QFileInfo(path).fileName().startsWith(u"burner-"_s));
            QVERIFY(path.endsWith(u".txt"_s));
            QCOMPARE(QFileInfo(path).fileName().size(), 7 + 36 + 4);
            QVERIFY(!QFileInfo::exists(path));
        }
    }

    void tempPathWithoutAnswer_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("taken");
        QTest::newRow("null format") << QString() << false;
        QTest::newRow("fixed name taken") << u"tz-fixed-name"_s << true;
        QTest::newRow("fixed name free") << u"tz-fixed-name"_s << false;
    }
    void tempPathWithoutAnswer()
    {
        QFETCH(QString, format);
        QFETCH(bool, taken);
        const QString fixed = QDir::tempPath() + u"/tz-fixed-name"_s;
        QFile::remove(fixed);
        if (taken)
            QVERIFY(::symlink("nowhere", QFile::encodeName(fixed).constData()) == 0); // a broken link counts
        StdErrCapture capture;
        const QString path = tempPathWithFormat(format);
        QFile::remove(fixed);
        if (!format.isNull() && !taken) {
            QCOMPARE(path, fixed);
            QCOMPARE(capture.lineCount(), 0);
            return;
        }
        QVERIFY(path.isNull());
        QVERIFY(capture.text().endsWith("\"TzNSFileManagerAdditions.cpp\",#99 "
                                        "(+[NSFileManager(TzNSFileManagerAdditions) tempPathWithFormat:]) "
                                        "tempPathWithFormat returned nil\n"));
    }
};

QTEST_GUILESS_MAIN(tst_TzNSFileManagerAdditions)
#include "tst_TzNSFileManagerAdditions.moc"
