#include "Foundation_Additions/NSFileManager/TzNSFileManagerCountDirectoryTree.h"

#include "support/StdErrCapture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

// Counting real trees: a folder with two files and an empty folder, and links followed or not.
class tst_TzNSFileManagerCountDirectoryTree : public QObject
{
    Q_OBJECT

    QTemporaryDir _dir;

    bool touch(const QString& relative)
    {
        QFile file(_dir.path() + u'/' + relative);
        return file.open(QIODevice::WriteOnly);
    }
    bool link(const QString& target, const QString& relative)
    {
        return ::symlink(QFile::encodeName(target).constData(),
                         QFile::encodeName(_dir.path() + u'/' + relative).constData())
            == 0;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(_dir.isValid());
        QDir root(_dir.path());
        QVERIFY(root.mkpath(u"tree/empty"_s));
        QVERIFY(touch(u"tree/one"_s) && touch(u"tree/two"_s));
        QVERIFY(root.mkpath(u"other/sub"_s));
        QVERIFY(touch(u"other/sub/a"_s) && touch(u"other/sub/b"_s));
        QVERIFY(link(_dir.path() + u"/other/sub"_s, u"other/toSub"_s));
        QVERIFY(link(u"nowhere"_s, u"other/broken"_s));
        QVERIFY(link(_dir.path() + u"/tree"_s, u"toTree"_s));
        QVERIFY(touch(u"file"_s));
    }

    void counts_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("traverse");
        QTest::addColumn<qint64>("count");
        QTest::newRow("two files and an empty folder") << u"tree"_s << false << qint64(4);
        QTest::newRow("the same, logical") << u"tree"_s << true << qint64(4);
        QTest::newRow("a file alone") << u"file"_s << false << qint64(1);
        QTest::newRow("a link as the root is followed") << u"toTree"_s << false << qint64(4);
        // other, sub, a, b, toSub, broken: the links count once each.
        QTest::newRow("links not followed") << u"other"_s << false << qint64(6);
        // toSub counts as a folder with a and b inside; the broken link still counts once.
        QTest::newRow("links followed") << u"other"_s << true << qint64(8);
    }
    void counts()
    {
        QFETCH(QString, path);
        QFETCH(bool, traverse);
        StdErrCapture capture;
        QTEST(tz::countDirectoryTreeTraverseLinks(_dir.path() + u'/' + path, traverse), "count");
        QCOMPARE(capture.lineCount(), 0);
    }

    void errorsAreLoggedAndCounted()
    {
        const QString missing = _dir.path() + u"/missing"_s;
        StdErrCapture capture;
        QCOMPARE(tz::countDirectoryTreeTraverseLinks(missing, false), 1);
        const QByteArray text = capture.text();
        QVERIFY2(text.contains("\"TzNSFileManagerCountDirectoryTree.cpp\",#"), text.constData());
        QVERIFY(text.contains("(+[NSFileManager(CountDirectoryTree) countDirectoryTree:traverseLinks:]) "));
        QVERIFY(text.contains(
            "Error \"No such file or directory\"\n\t-- returned during CountDirectoryTree for item at:\n\t"
            + QFile::encodeName(missing) + '\n'));
    }

    void aWalkThatCannotStart()
    {
        StdErrCapture capture;
        QCOMPARE(tz::countDirectoryTreeTraverseLinks(QString(), false), 0);
        QVERIFY(
            capture.text().contains("CountDirectoryTree terminated early with fatal error No such file or directory"));
    }
};

QTEST_GUILESS_MAIN(tst_TzNSFileManagerCountDirectoryTree)
#include "tst_TzNSFileManagerCountDirectoryTree.moc"
