#include "Foundation_Additions/NSString/TzNSStringDisplayPath.h"
#include "Foundation_Additions/NSString/TzNSStringPathContainsFilePackage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Packages nested in packages, a link into one, and a desktop entry.
class TestPathContainsFilePackage : public QObject
{
    Q_OBJECT

    QTemporaryDir _dir;
    QString _root;

    QString at(const QString& relative) const { return relative.isNull() ? QString() : _root + u'/' + relative; }

    bool write(const QString& relative, const QByteArray& bytes)
    {
        QFile file(at(relative));
        return QDir().mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly)
            && file.write(bytes) == bytes.size();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(_dir.isValid());
        _root = QDir(_dir.path()).canonicalPath();
        QVERIFY(write(u"Outer.app/Contents/Frameworks/Inner.framework/Resources/file"_s, "x"));
        QVERIFY(write(u"Bundle/Contents/Info.plist"_s, "<plist/>"));
        QVERIFY(write(u"plain/file"_s, "x"));
        QVERIFY(QFile::link(at(u"Outer.app/Contents/Frameworks/Inner.framework"_s), at(u"plain/innerLink"_s)));
    }

    void packages_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("nearest"); // none when null
        QTest::addColumn<QString>("outermost");
        const QString inner = u"Outer.app/Contents/Frameworks/Inner.framework"_s;
        QTest::newRow("file in a bundle in a bundle") << inner + u"/Resources/file"_s << inner << u"Outer.app"_s;
        QTest::newRow("the inner bundle itself") << inner << inner << u"Outer.app"_s;
        QTest::newRow("inside the outer bundle only") << u"Outer.app/Contents"_s << u"Outer.app"_s << u"Outer.app"_s;
        QTest::newRow("bundle known by its Info.plist")
            << u"Bundle/Contents/Info.plist"_s << u"Bundle"_s << u"Bundle"_s;
        QTest::newRow("link to a package resolved") << u"plain/innerLink"_s << inner << u"Outer.app"_s;
        QTest::newRow("no package") << u"plain/file"_s << QString() << QString();
        QTest::newRow("nothing there") << u"Outer.app/missing"_s << QString() << QString();
    }
    void packages()
    {
        QFETCH(QString, path);
        QFETCH(QString, nearest);
        QFETCH(QString, outermost);
        QCOMPARE(tz::containingFilePackage(at(path)), at(nearest));
        QCOMPARE(tz::containingFilePackage(at(path)).isNull(), nearest.isNull());
        QCOMPARE(tz::outermostContainingFilePackage(at(path)), at(outermost));
        QCOMPARE(tz::pathContainsFilePackage(at(path)), !nearest.isNull());
    }

    void displayName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents"); // none: nothing is written
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain file") << u"notes.txt"_s << QByteArray("x") << u"notes.txt"_s;
        QTest::newRow("nothing there") << u"missing.txt"_s << QByteArray() << u"missing.txt"_s;
        QTest::newRow("desktop entry") << u"tool.desktop"_s
                                       << QByteArray("[Desktop Entry]\nType=Application\nName[de]=Werkzeug\n"
                                                     "Name = My Tool \nName=Second\n")
                                       << u"My Tool"_s;
        QTest::newRow("desktop entry, name in another group")
            << u"other.desktop"_s << QByteArray("[Desktop Action x]\nName=Action\n[Desktop Entry]\nType=Link\n")
            << u"other.desktop"_s;
    }
    void displayName()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        QFETCH(QString, shown);
        if (!contents.isNull())
            QVERIFY(write(name, contents));
        QCOMPARE(tz::displayPath(at(name)), shown);
    }
};

QTEST_GUILESS_MAIN(TestPathContainsFilePackage)
#include "tst_TzNSStringPathContainsFilePackage.moc"
