#include "Foundation_Additions/NSWorkspace/Workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Which real folders count as file packages.
class tst_Workspace : public QObject
{
    Q_OBJECT

    QTemporaryDir _dir;

    QString make(const QString& relative, bool folder)
    {
        const QString path = _dir.filePath(relative);
        if (folder)
            return QDir().mkpath(path) ? path : QString();
        QFile file(path);
        return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) ? path : QString();
    }

private Q_SLOTS:
    void isFilePackage_data()
    {
        QTest::addColumn<QString>("folder"); // made as a folder; a name ending in "!" is made as a file
        QTest::addColumn<QString>("inside"); // a file made inside, or none
        QTest::addColumn<bool>("package");
        QTest::newRow("application") << u"Tool.app"_s << QString() << true;
        QTest::newRow("extension in upper case") << u"Text.RTFD"_s << QString() << true;
        QTest::newRow("framework") << u"Kit.framework"_s << QString() << true;
        QTest::newRow("plain folder") << u"Folder"_s << QString() << false;
        QTest::newRow("unknown extension") << u"Folder.d"_s << QString() << false;
        QTest::newRow("folder with Contents/Info.plist") << u"Bundle"_s << u"Contents/Info.plist"_s << true;
        QTest::newRow("folder with Info.plist at the top") << u"Loose"_s << u"Info.plist"_s << false;
        QTest::newRow("file with a package extension") << u"file.app!"_s << QString() << false;
        QTest::newRow("only an extension, a hidden folder") << u".app"_s << QString() << false;
    }
    void isFilePackage()
    {
        QFETCH(QString, folder);
        QFETCH(QString, inside);
        QFETCH(bool, package);
        const bool asFile = folder.endsWith(u'!');
        const QString path = make(asFile ? folder.chopped(1) : folder, !asFile);
        QVERIFY(!path.isEmpty());
        if (!inside.isEmpty())
            QVERIFY(!make(folder + u'/' + inside, false).isEmpty());
        QCOMPARE(tz::workspace::isFilePackage(path), package);
    }

    void linksAndNothing()
    {
        const QString app = make(u"Linked.app"_s, true);
        const QString link = _dir.filePath(u"link"_s);
        QVERIFY(QFile::link(app, link));
        QVERIFY(!tz::workspace::isFilePackage(link)); // the link's own name has no extension
        QVERIFY(QFile::link(app, _dir.filePath(u"alias.bundle"_s)));
        QVERIFY(tz::workspace::isFilePackage(_dir.filePath(u"alias.bundle"_s)));
        QVERIFY(!tz::workspace::isFilePackage(_dir.filePath(u"missing.app"_s)));
        QVERIFY(!tz::workspace::isFilePackage(QString()));
    }
};

QTEST_APPLESS_MAIN(tst_Workspace)
#include "tst_Workspace.moc"
