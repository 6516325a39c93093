#include "Foundation_Additions/NSString/TzNSStringValidPartOfPath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// «root/dir/file», a link to dir, a link to nothing.
class TestValidPartOfPath : public QObject
{
    Q_OBJECT

    QTemporaryDir _dir;
    QString _root;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(_dir.isValid());
        _root = QDir(_dir.path()).canonicalPath();
        QVERIFY(QDir(_root).mkdir(u"dir"_s));
        QFile file(_root + u"/dir/file"_s);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(_root + u"/dir"_s, _root + u"/link"_s));
        QVERIFY(QFile::link(_root + u"/nowhere"_s, _root + u"/broken"_s));
    }

    void longestExistingPart_data()
    {
        QTest::addColumn<QString>("path"); // below the root unless it begins with "/"; "=" for one used as written
        QTest::addColumn<bool>("resolving");
        QTest::addColumn<QString>("expected"); // "." for the root folder
        QTest::newRow("/tmp/none/x") << u"/tmp/none-of-tests/x"_s << false << u"/tmp"_s;
        QTest::newRow("everything exists") << u"dir/file"_s << false << u"dir/file"_s;
        QTest::newRow("missing leaf") << u"dir/missing"_s << false << u"dir"_s;
        QTest::newRow("below a plain file") << u"dir/file/x"_s << false << u"dir/file"_s;
        QTest::newRow("through a link to a folder") << u"link/file/x"_s << false << u"link/file"_s;
        QTest::newRow("link resolved first") << u"link"_s << true << u"dir"_s;
        QTest::newRow("broken link") << u"broken/x"_s << false << u"."_s;
        QTest::newRow("only the root") << u"/no-such-folder-of-tests"_s << false << u"/"_s;
        QTest::newRow("relative, first part missing") << u"=no-such-folder-of-tests/x"_s << false << u"<empty>"_s;
        QTest::newRow("empty") << u""_s << false << u"<empty>"_s;
    }
    void longestExistingPart()
    {
        QFETCH(QString, path);
        QFETCH(bool, resolving);
        QFETCH(QString, expected);
        const auto below = [this](const QString& p) {
            if (p.startsWith(u'='))
                return p.sliced(1);
            return p.startsWith(u'/') || p.isEmpty() ? p : _root + u'/' + p;
        };
        const QString result = tz::validPartOfPathResolvingLinks(below(path), resolving);
        if (expected == u"<empty>") {
            QVERIFY(!result.isNull());
            QCOMPARE(result, QString());
        } else {
            QCOMPARE(result, expected == u"." ? _root : below(expected));
        }
    }
};

QTEST_GUILESS_MAIN(TestValidPartOfPath)
#include "tst_TzNSStringValidPartOfPath.moc"
