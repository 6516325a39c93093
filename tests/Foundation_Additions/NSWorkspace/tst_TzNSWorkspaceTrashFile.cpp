#include "Foundation_Additions/NSWorkspace/TzNSWorkspaceTrashFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;

// The user's trash is made under the test's own folder, on the same volume as the items.
class TestTrashFile : public QObject
{
    Q_OBJECT

    QTemporaryDir _dir;
    QString _root;
    QString _trash;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(_dir.isValid());
        _root = QDir(_dir.path()).canonicalPath();
        qputenv("HOME", QFile::encodeName(_root));
        qputenv("XDG_DATA_HOME", QFile::encodeName(_root + u"/data"_s));
        _trash = _root + u"/data/Trash"_s;
        // The data folder does not exist yet; nothing may land in the current folder instead.
        QVERIFY(QDir().mkpath(_root + u"/cwd"_s));
        QVERIFY(QDir::setCurrent(_root + u"/cwd"_s));
    }

    void itemAndItsInformationArrive_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::newRow("file") << false;
        QTest::newRow("folder with contents") << true;
    }
    void itemAndItsInformationArrive()
    {
        QFETCH(bool, folder);
        const QString name = folder ? u"old folder"_s : u"notes.txt"_s;
        const QString path = _root + u'/' + name;
        if (folder) {
            QVERIFY(QDir().mkpath(path + u"/inner"_s));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write("kept"), 4);
        }
        QVERIFY(tz::trashFileAtPath(path));
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(QFileInfo::exists(_trash + u"/files/"_s + name));
        if (folder)
            QVERIFY(QFileInfo(_trash + u"/files/"_s + name + u"/inner"_s).isDir());
        QFile info(_trash + u"/info/"_s + name + u".trashinfo"_s);
        QVERIFY(info.open(QIODevice::ReadOnly));
        const QByteArray text = info.readAll();
        QVERIFY2(text.startsWith("[Trash Info]\n"), text.constData());
        // Read as the escaped form the format asks for; Qt writes the path plainly.
        const QByteArray pathLine = text.split('\n').value(1);
        QVERIFY2(pathLine.startsWith("Path="), text.constData());
        QCOMPARE(QUrl::fromPercentEncoding(pathLine.sliced(5)), path);
        QVERIFY2(text.contains("DeletionDate="), text.constData());
        QCOMPARE(QDir(_root + u"/cwd"_s).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
            | QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(QFileInfo(_trash).permissions() & others, QFile::Permissions());
    }

    void nothingThereFails()
    {
        QVERIFY(QDir::setCurrent(_root + u"/cwd"_s));
        QVERIFY(!tz::trashFileAtPath(_root + u"/missing"_s));
        QVERIFY(!tz::trashFileAtPath(QString()));
    }
};

QTEST_GUILESS_MAIN(TestTrashFile)
#include "tst_TzNSWorkspaceTrashFile.moc"
