#include "Foundation_Additions/NSString/TzNSStringResolveAliases.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// A folder with a file, a folder, links to both, a chain of links, a broken link and a loop.
class TestResolveAliases : public QObject
{
    Q_OBJECT

    QTemporaryDir _dir;
    QString _root;

    QString at(const QString& name) const { return _root + u'/' + name; }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(_dir.isValid());
        _root = QDir(_dir.path()).canonicalPath();
        QFile file(at(u"file"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(QDir(_root).mkdir(u"folder"_s));
        QVERIFY(QFile::link(at(u"file"_s), at(u"link"_s)));
        QVERIFY(QFile::link(u"link"_s, at(u"chain"_s)));
        QVERIFY(QFile::link(at(u"folder"_s), at(u"folderLink"_s)));
        QVERIFY(QFile::link(at(u"nowhere"_s), at(u"broken"_s)));
        QVERIFY(QFile::link(at(u"loopB"_s), at(u"loopA"_s)));
        QVERIFY(QFile::link(at(u"loopA"_s), at(u"loopB"_s)));
    }

    void resolution_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("aliasFile"); // "<null>" for none
        QTest::addColumn<QString>("resolved");  // "<null>" for none
        QTest::addColumn<QString>("resolving"); // never none

        const QString none = u"<null>"_s;
        const QString file = at(u"file"_s);
        QTest::newRow("plain file") << file << file << file << file;
        QTest::newRow("plain file, unstandardised") << _root + u"//./file"_s << _root + u"//./file"_s << file << file;
        QTest::newRow("folder with trailing slash")
            << at(u"folder/"_s) << at(u"folder/"_s) << at(u"folder"_s) << at(u"folder"_s);
        const QString aboveRoot = u"/../"_s + _root.sliced(1) + u"/file"_s;
        QTest::newRow("dot-dot above the root") << aboveRoot << aboveRoot << file << file;
        QTest::newRow("link") << at(u"link"_s) << file << file << file;
        QTest::newRow("chain of links") << at(u"chain"_s) << file << file << file;
        QTest::newRow("link to a folder")
            << at(u"folderLink"_s) << at(u"folder"_s) << at(u"folder"_s) << at(u"folder"_s);
        QTest::newRow("dot-dot in an absolute path") << at(u"folder/../link"_s) << file << file << file;
        QTest::newRow("nothing there") << at(u"missing"_s) << none << none << at(u"missing"_s);
        QTest::newRow("nothing there, unstandardised") << at(u"./missing/"_s) << none << none << at(u"./missing/"_s);
        QTest::newRow("broken link") << at(u"broken"_s) << none << none << at(u"broken"_s);
        QTest::newRow("link loop") << at(u"loopA"_s) << none << none << at(u"loopA"_s);
        QTest::newRow("empty path") << u""_s << none << none << u""_s;
    }
    void resolution()
    {
        QFETCH(QString, path);
        QFETCH(QString, aliasFile);
        QFETCH(QString, resolved);
        QFETCH(QString, resolving);
        const auto shown = [](const QString& s) { return s.isNull() ? u"<null>"_s : s; };
        QCOMPARE(shown(tz::resolveAliasFile(path)), aliasFile);
        QCOMPARE(shown(tz::resolvedPath(path)), resolved);
        QCOMPARE(tz::stringByResolvingSymlinksAndAliasesInPath(path), resolving);
    }

    void tildeIsExpanded()
    {
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(_root));
        const QString resolved = tz::resolvedPath(u"~/file"_s);
        const QString linked = tz::resolvedPath(u"~/link"_s);
        qputenv("HOME", home);
        QCOMPARE(resolved, at(u"file"_s));
        QCOMPARE(linked, at(u"file"_s));
    }
};

QTEST_GUILESS_MAIN(TestResolveAliases)
#include "tst_TzNSStringResolveAliases.moc"
