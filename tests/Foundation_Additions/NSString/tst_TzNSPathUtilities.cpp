#include "Foundation_Additions/NSString/TzNSPathUtilities.h"
#include "Foundation_Additions/NSString/TzNSStringDataForkPath.h"
#include "Foundation_Additions/NSString/TzNSStringPathRelativeTo.h"

#include "support/StdErrCapture.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The text-only path operations: one table, one row per example.
class TestPathUtilities : public QObject
{
    Q_OBJECT

    static QString shown(const QString& s) { return s.isNull() ? u"<null>"_s : s; }

    static QString apply(const QString& operation, const QString& path, const QString& argument)
    {
        if (operation == u"pathRelativeTo")
            return ::pathRelativeTo(path, argument);
        if (operation == u"pathRelativeTo:")
            return tz::pathRelativeTo(path, argument);
        if (operation == u"firstPathComponent")
            return tz::firstPathComponent(path);
        if (operation == u"stringByDeletingFirstPathComponent")
            return tz::stringByDeletingFirstPathComponent(path);
        if (operation == u"stringByPrependingPathComponent:")
            return tz::stringByPrependingPathComponent(path, argument == u"<null>" ? QString() : argument);
        if (operation == u"dataForkPath")
            return tz::dataForkPath(path);
        return u"unknown operation"_s;
    }

private Q_SLOTS:
    void operations_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("expected"); // "<null>" for none

        const auto row = [](const char* name, const char* operation, const QString& path, const QString& argument,
                            const QString& expected) {
            QTest::newRow(name) << QString::fromLatin1(operation) << path << argument << expected;
        };
        row("text: below the base", "pathRelativeTo", u"/a/b/c"_s, u"/a"_s, u"b/c"_s);
        row("text: base is a name prefix", "pathRelativeTo", u"/ab/c"_s, u"/a"_s, u"b/c"_s);
        row("text: base with trailing slash", "pathRelativeTo", u"/a/b"_s, u"/a/"_s, u"b"_s);
        row("text: equal to the base", "pathRelativeTo", u"/a/b"_s, u"/a/b"_s, u"/a/b"_s);
        row("text: outside the base", "pathRelativeTo", u"/x/y"_s, u"/a"_s, u"<null>"_s);

        row("components: below the base", "pathRelativeTo:", u"/a/b/c"_s, u"/a"_s, u"b/c"_s);
        row("components: equal to the base", "pathRelativeTo:", u"/a/b"_s, u"/a/b/"_s, u""_s);
        row("components: both standardised", "pathRelativeTo:", u"/a/./x/../b//c/"_s, u"/a//"_s, u"b/c"_s);
        row("components: relative base", "pathRelativeTo:", u"/a/./b"_s, u"a"_s, u"/a/b"_s);
        row("components: outside the base", "pathRelativeTo:", u"/x//y"_s, u"/a"_s, u"/x/y"_s);
        row("components: the root as base", "pathRelativeTo:", u"/a/b"_s, u"/"_s, u"a/b"_s);
        row("components: tilde", "pathRelativeTo:", u"~/docs/x"_s, QDir::homePath(), u"docs/x"_s);

        row("first: absolute", "firstPathComponent", u"/a/b"_s, {}, u"/"_s);
        row("first: relative", "firstPathComponent", u"a/b"_s, {}, u"a"_s);
        row("first: empty", "firstPathComponent", u""_s, {}, u""_s);
        row("deleting first: absolute", "stringByDeletingFirstPathComponent", u"/a/b"_s, {}, u"a/b"_s);
        row("deleting first: relative", "stringByDeletingFirstPathComponent", u"a/b/c"_s, {}, u"b/c"_s);
        row("deleting first: one component", "stringByDeletingFirstPathComponent", u"/"_s, {}, u""_s);
        row("deleting first: empty", "stringByDeletingFirstPathComponent", u""_s, {}, u""_s);
        row("prepending: folder", "stringByPrependingPathComponent:", u"b/c"_s, u"/a"_s, u"/a/b/c"_s);
        row("prepending: folder with slash", "stringByPrependingPathComponent:", u"b"_s, u"/a/"_s, u"/a/b"_s);
        row("prepending: no prefix", "stringByPrependingPathComponent:", u"b"_s, u"<null>"_s, u"b"_s);

        row("data fork: companion", "dataForkPath", u"/x/._foo"_s, {}, u"/x/foo"_s);
        row("data fork: plain file", "dataForkPath", u"/x/foo"_s, {}, u"/x/foo"_s);
        row("data fork: companion folder above", "dataForkPath", u"/._x/foo"_s, {}, u"/._x/foo"_s);
        row("data fork: relative companion", "dataForkPath", u"._foo"_s, {}, u"foo"_s);
    }
    void operations()
    {
        QFETCH(QString, operation);
        QFETCH(QString, path);
        QFETCH(QString, argument);
        QFETCH(QString, expected);
        StdErrCapture capture;
        QCOMPARE(shown(apply(operation, path, argument)), expected);
        // Only the textual relative path of a path outside its base says anything.
        QCOMPARE(capture.lineCount(), expected == u"<null>" ? 1 : 0);
    }

    void outsideTheBaseIsLoggedOnce()
    {
        StdErrCapture capture;
        QVERIFY(::pathRelativeTo(u"/x/y"_s, u"/a"_s).isNull());
        const QByteArray text = capture.text();
        QCOMPARE(capture.lineCount(), 1);
        QVERIFY2(text.endsWith("] pathRelativeTo Error: /x/y does not contain /a\n"), text.constData());
    }
};

QTEST_GUILESS_MAIN(TestPathUtilities)
#include "tst_TzNSPathUtilities.moc"
