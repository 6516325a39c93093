#include "Foundation/AtomicWrite.h"

#include "support/LockedFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList names(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

// Replacing files in real folders: what is left beside the file, what the file keeps, and the
// failures that must leave the old file alone.
class tst_AtomicWrite : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void leavesOnlyTheFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stale"); // a companion a killed writer left, or none
        QTest::newRow("new file") << u"file.txt"_s << QString();
        QTest::newRow("a killed writer's companion") << u"file.txt"_s << u".file.txt.saving"_s;
        // ".name.saving" would be longer than a name may be: the companion's name is a digest.
        QTest::newRow("name of 250 characters") << QString(250, u'n') << QString();
    }
    void leavesOnlyTheFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, stale);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(put(path, "old"));
        if (!stale.isEmpty())
            QVERIFY(put(dir.filePath(stale), "whole copy of an earlier save"));
        QString error;
        QVERIFY2(tz::writeAtomically("new", path, &error), qPrintable(error));
        QCOMPARE(contents(path), QByteArray("new"));
        QCOMPARE(names(dir.path()), QStringList(name));
    }

    void keepsPermissionsAndLinks()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(u"target"_s);
        const QString link = dir.filePath(u"link"_s);
        QVERIFY(put(target, "old"));
        QVERIFY(::chmod(QFile::encodeName(target).constData(), 0640) == 0);
        QVERIFY(QFile::link(target, link));
        QVERIFY(tz::writeAtomically("new", link));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(contents(target), QByteArray("new"));
        struct stat info
        {};
        QVERIFY(::stat(QFile::encodeName(target).constData(), &info) == 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0640));
        QCOMPARE(names(dir.path()), QStringList({u"link"_s, u"target"_s}));

        // A new file gets what the umask allows.
        const mode_t mask = ::umask(027);
        QVERIFY(tz::writeAtomically("fresh", dir.filePath(u"fresh"_s)));
        ::umask(mask);
        QVERIFY(::stat(QFile::encodeName(dir.filePath(u"fresh"_s)).constData(), &info) == 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0640));
    }

    void failuresKeepTheOldFile()
    {
        QTemporaryDir dir;
        QString error;
        errno = 0;
        QVERIFY(!tz::writeAtomically("x", dir.filePath(u"none/file"_s), &error));
        QCOMPARE(errno, ENOENT);
        QCOMPARE(error, u"No such file or directory"_s);

        QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
        QVERIFY(!tz::writeAtomically("x", dir.filePath(u"folder"_s), &error));
        QCOMPARE(errno, EISDIR);
        QVERIFY(QFileInfo(dir.filePath(u"folder"_s)).isDir());

        const QString locked = dir.filePath(u"locked"_s);
        QVERIFY(QDir(dir.path()).mkdir(u"locked"_s));
        QVERIFY(put(locked + u"/file"_s, "old"));
        {
            const LockedFolder lock(locked);
            QVERIFY2(lock.isLocked(), qPrintable(lock.error()));
            QVERIFY(!tz::writeAtomically("new", locked + u"/file"_s, &error));
            QVERIFY2(errno == EPERM || errno == EACCES, qPrintable(error));
        }
        QCOMPARE(contents(locked + u"/file"_s), QByteArray("old"));
        QCOMPARE(names(locked), QStringList(u"file"_s));

        QVERIFY(!tz::writeAtomically("x", QString(), &error));
        QCOMPARE(error, u"No file name given"_s);
    }
};

QTEST_APPLESS_MAIN(tst_AtomicWrite)
#include "tst_AtomicWrite.moc"
