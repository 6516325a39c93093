#include "Foundation_Additions/NSFileManager/WyNSURLResolveAliasFile.h"
#include "Foundation_Additions/NSString/TzNSStringResolveAliases.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The string and URL forms of alias resolution side by side: they differ only for items that
// are no alias (the path itself, against no URL).
class TestResolveAliasFileURL : public QObject
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
        QVERIFY(QFile::link(at(u"file"_s), at(u"link"_s)));
        QVERIFY(QFile::link(u"link"_s, at(u"chain"_s)));
        QVERIFY(QFile::link(at(u"nowhere"_s), at(u"broken"_s)));
    }

    void bothForms_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("string"); // "<null>" for none
        QTest::addColumn<QString>("url");    // "<null>" for none

        const QString none = u"<null>"_s;
        QTest::newRow("plain file") << at(u"file"_s) << at(u"file"_s) << none;
        QTest::newRow("plain file, unstandardised") << _root + u"/./file"_s << _root + u"/./file"_s << none;
        QTest::newRow("link") << at(u"link"_s) << at(u"file"_s) << at(u"file"_s);
        QTest::newRow("chain of links") << at(u"chain"_s) << at(u"file"_s) << at(u"file"_s);
        QTest::newRow("broken link") << at(u"broken"_s) << none << none;
        QTest::newRow("nothing there") << at(u"missing"_s) << none << none;
    }
    void bothForms()
    {
        QFETCH(QString, path);
        QFETCH(QString, string);
        QFETCH(QString, url);
        const QString none = u"<null>"_s;
        const QString fromString = tz::resolveAliasFile(path);
        QCOMPARE(fromString.isNull() ? none : fromString, string);
        const QUrl fromUrl = tz::resolveAliasFile(QUrl::fromLocalFile(path));
        QCOMPARE(fromUrl.isEmpty() ? none : fromUrl.toLocalFile(), url);
    }

    void urlThatIsNoFile()
    {
        QVERIFY(tz::resolveAliasFile(QUrl(u"https://example.org/link"_s)).isEmpty());
        QVERIFY(tz::resolveAliasFile(QUrl()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestResolveAliasFileURL)
#include "tst_WyNSURLResolveAliasFile.moc"
