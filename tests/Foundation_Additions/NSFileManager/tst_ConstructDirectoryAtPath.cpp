#include "Foundation/Date.h"
#include "Foundation_Additions/NSBundle/Bundle.h"
#include "Foundation_Additions/NSFileManager/ConstructDirectoryAtPath.h"
#include "Graphics/TzNSDateFilenameLegalDate.h"

#include "support/LockedFolder.h"
#include "support/StdErrCapture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

bool writeText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList namesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

// Building folder paths in real temporary folders, one fresh folder per case.
class tst_ConstructDirectoryAtPath : public QObject
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
    void initTestCase()
    {
        QVERIFY(_dir.isValid());
        QVERIFY(QDir().mkpath(_dir.path() + u"/Burner Catalogue.app"_s));
        tz::bundle::setMainBundlePath(_dir.path() + u"/Burner Catalogue.app"_s);
    }
    void cleanupTestCase() { tz::bundle::setMainBundlePath({}); }

    void missingFoldersAreMade_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("made");
        QTest::newRow("three levels") << u"a/b/c"_s << u"a/b/c"_s;
        QTest::newRow("trailing and doubled slashes") << u"a//b/"_s << u"a/b"_s;
        QTest::newRow("through a link to a folder") << u"link/new"_s << u"real/new"_s;
    }
    void missingFoldersAreMade()
    {
        QFETCH(QString, relative);
        QFETCH(QString, made);
        const QString folder = freshFolder();
        QVERIFY(QDir().mkdir(folder + u"/real"_s));
        QVERIFY(QFile::link(folder + u"/real"_s, folder + u"/link"_s));
        StdErrCapture capture;
        QVERIFY(tz::ConstructDirectoryAtPath(folder + u'/' + relative, false));
        QVERIFY(QFileInfo(folder + u'/' + made).isDir());
        QVERIFY(!QFileInfo(folder + u'/' + made).isSymLink());
        QCOMPARE(capture.lineCount(), 0);
    }

    void anExistingFolderIsLeftAlone()
    {
        const QString folder = freshFolder();
        QVERIFY(QDir().mkpath(folder + u"/a/b"_s));
        QVERIFY(writeText(folder + u"/a/b/keep"_s, "kept"));
        const QStringList before = namesIn(folder + u"/a"_s);
        QVERIFY(tz::ConstructDirectoryAtPath(folder + u"/a/b"_s, true));
        QCOMPARE(namesIn(folder + u"/a"_s), before);
        QCOMPARE(namesIn(folder + u"/a/b"_s), QStringList{u"keep"_s});
    }

    void homeIsExpanded()
    {
        const QString folder = freshFolder();
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(folder));
        const bool made = tz::ConstructDirectoryAtPath(u"~/x/y"_s, false);
        qputenv("HOME", home);
        QVERIFY(made);
        QVERIFY(QFileInfo(folder + u"/x/y"_s).isDir());
    }

    void aFileInTheWayIsMovedAside()
    {
        const QString folder = freshFolder();
        const QString mid = folder + u"/mid"_s;
        QVERIFY(writeText(mid, "old contents"));
        const QString before = tz::filenameLegalDateTime(*tz::Date::now());
        QVERIFY(!before.isEmpty());
        StdErrCapture capture;
        QVERIFY(tz::ConstructDirectoryAtPath(mid + u"/c/d"_s, true));
        const QString after = tz::filenameLegalDateTime(*tz::Date::now());
        QVERIFY(QFileInfo(mid + u"/c/d"_s).isDir());

        const QStringList names = namesIn(folder);
        QCOMPARE(names.size(), 3);
        const auto dateIn = [&](const QString& pattern) {
            const QRegularExpression expression(pattern);
            for (const QString& name : names) {
                const QRegularExpressionMatch match = expression.match(name);
                if (match.hasMatch())
                    return match.captured(1);
            }
            return QString();
        };
        const QString movedDate = dateIn(u"^X (.+) mid$"_s);
        const QString noticeDate = dateIn(u"^mid NOTICE (.+) \\.txt$"_s);
        QVERIFY2(movedDate == before || movedDate == after, qPrintable(names.join(u" | "_s)));
        QVERIFY(noticeDate == before || noticeDate == after);
        QVERIFY(!movedDate.contains(u'/') && !movedDate.contains(u':'));

        const QString moved = folder + u"/X "_s + movedDate + u" mid"_s;
        QCOMPARE(contents(moved), QByteArray("old contents"));
        const QString notice =
            u"file \"%1\"\nrenamed by Burner Catalogue.app to:\n\"%2\"\n to allow creation of folder\n\"%1\""_s.arg(
                mid, moved);
        QCOMPARE(QString::fromUtf8(contents(folder + u"/mid NOTICE "_s + noticeDate + u" .txt"_s)), notice);
        const QByteArray log = capture.text();
        QVERIFY(log.contains("\"ConstructDirectoryAtPath.cpp\",#"));
        QVERIFY(log.contains("(ConstructDirectoryAtPath) " + notice.toUtf8()));
    }

    void aConflictWithoutMovingFails()
    {
        const QString folder = freshFolder();
        const QString mid = folder + u"/mid"_s;
        QVERIFY(QFile::link(u"nowhere"_s, mid)); // a broken link is in the way too
        StdErrCapture capture;
        QVERIFY(!tz::ConstructDirectoryAtPath(mid + u"/c"_s, false));
        QVERIFY(capture.text().endsWith("(ConstructDirectoryAtPath) Could not create directory at "
                                        + QFile::encodeName(mid) + " because of name-conflict with file\n"));
        QCOMPARE(namesIn(folder), QStringList{u"mid"_s});
        QVERIFY(QFileInfo(mid).isSymLink());
    }

    void aRefusedMoveFails()
    {
        const QString folder = freshFolder();
        const QString mid = folder + u"/mid"_s;
        QVERIFY(writeText(mid, "stays"));
        const LockedFolder locked(folder);
        QVERIFY2(locked.isLocked(), qPrintable(locked.error()));
        StdErrCapture capture;
        QVERIFY(!tz::ConstructDirectoryAtPath(mid + u"/c"_s, true));
        QCOMPARE(capture.lineCount(), 0);
        QCOMPARE(namesIn(folder), QStringList{u"mid"_s});
        QCOMPARE(contents(mid), QByteArray("stays"));
    }

    void aFolderThatCannotBeMadeFails()
    {
        const QString folder = freshFolder();
        const LockedFolder locked(folder);
        QVERIFY2(locked.isLocked(), qPrintable(locked.error()));
        QVERIFY(!tz::ConstructDirectoryAtPath(folder + u"/new/deeper"_s, true));
        QVERIFY(!tz::ConstructDirectoryAtPath(QString(), true));
    }
};

QTEST_GUILESS_MAIN(tst_ConstructDirectoryAtPath)
#include "tst_ConstructDirectoryAtPath.moc"
