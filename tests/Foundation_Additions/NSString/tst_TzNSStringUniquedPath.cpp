#include "Foundation_Additions/NSString/TzNSStringUniquedPath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Free copy names in a real folder holding the names a row lists.
class TestUniquedPath : public QObject
{
    Q_OBJECT

    static bool touch(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly);
    }

private Q_SLOTS:
    void freeName_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing there") << QStringList{} << u"a.txt"_s << u"a.txt"_s;
        QTest::newRow("first copy") << QStringList{u"a.txt"_s} << u"a.txt"_s << u"a copy 1.txt"_s;
        QTest::newRow("first copy taken")
            << QStringList{u"a.txt"_s, u"a copy 1.txt"_s} << u"a.txt"_s << u"a copy 2.txt"_s;
        QTest::newRow("gap in the numbers")
            << QStringList{u"a.txt"_s, u"a copy 2.txt"_s} << u"a.txt"_s << u"a copy 1.txt"_s;
        QTest::newRow("a copy's name goes back to the original")
            << QStringList{u"report copy.txt"_s} << u"report copy.txt"_s << u"report.txt"_s;
        QTest::newRow("a copy's name, original taken")
            << QStringList{u"report copy.txt"_s, u"report.txt"_s} << u"report copy.txt"_s << u"report copy 1.txt"_s;
        QTest::newRow("copy in another case")
            << QStringList{u"Notes COPY 3.md"_s, u"Notes.md"_s} << u"Notes COPY 3.md"_s << u"Notes copy 1.md"_s;
        QTest::newRow("no extension, no dot") << QStringList{u"README"_s} << u"README"_s << u"README copy 1"_s;
        QTest::newRow("hidden file keeps its name whole")
            << QStringList{u".profile"_s} << u".profile"_s << u".profile copy 1"_s;
        QTest::newRow("two extensions: the last one kept")
            << QStringList{u"a.tar.gz"_s} << u"a.tar.gz"_s << u"a.tar copy 1.gz"_s;
        QTest::newRow("folder") << QStringList{u"Folder/"_s} << u"Folder"_s << u"Folder copy 1"_s;
        QTest::newRow("a link to nothing is taken")
            << QStringList{u"dangling>"_s} << u"dangling"_s << u"dangling copy 1"_s;
    }
    void freeName()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const QString& item : existing) {
            if (item.endsWith(u'/'))
                QVERIFY(QDir(dir.path()).mkdir(item.chopped(1)));
            else if (item.endsWith(u'>'))
                QVERIFY(QFile::link(dir.filePath(u"nowhere"_s), dir.filePath(item.chopped(1))));
            else
                QVERIFY(touch(dir.filePath(item)));
        }
        QCOMPARE(tz::uniquedPath(dir.filePath(name)), dir.filePath(expected));
    }

    // Every number is tried once: a thousand copies need about two thousand existence tests.
    void thousandCopies()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(touch(dir.filePath(u"f.txt"_s)));
        for (int n = 1; n <= 1000; ++n)
            QVERIFY(touch(dir.filePath(u"f copy %1.txt"_s.arg(n))));
        QCOMPARE(tz::uniquedPath(dir.filePath(u"f.txt"_s)), dir.filePath(u"f copy 1001.txt"_s));
        QCOMPARE(tz::uniquedPath(dir.filePath(u"f copy 500.txt"_s)), dir.filePath(u"f copy 1001.txt"_s));
    }
};

QTEST_GUILESS_MAIN(TestUniquedPath)
#include "tst_TzNSStringUniquedPath.moc"
