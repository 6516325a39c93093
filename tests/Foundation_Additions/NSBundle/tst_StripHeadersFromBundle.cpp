#include "Foundation_Additions/NSBundle/StripHeadersFromBundle.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// A bundle with two embedded frameworks, their Headers as folders and links, and Headers that
// must stay: outside Contents/Frameworks, and the target of a link.
class TestStripHeaders : public QObject
{
    Q_OBJECT

    static bool write(const QString& path)
    {
        QFile file(path);
        return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) && file.write("h") == 1;
    }

    static QStringList itemsBelow(const QString& root)
    {
        QStringList items;
        QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            items.append(it.next().sliced(root.size() + 1));
        items.sort();
        return items;
    }

private Q_SLOTS:
    void headersGoTheRestStays()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString app = dir.filePath(u"Tool.app"_s);
        const QString frameworks = app + u"/Contents/Frameworks"_s;
        const QString kit = frameworks + u"/Kit.framework"_s;
        QVERIFY(write(kit + u"/Versions/A/Headers/Kit.h"_s));
        QVERIFY(write(kit + u"/Versions/A/Headers/Sub/Inner.h"_s));
        QVERIFY(write(kit + u"/Versions/A/Kit"_s));
        QVERIFY(QFile::link(u"Versions/A/Headers"_s, kit + u"/Headers"_s));
        QVERIFY(write(frameworks + u"/Other.framework/Headers/Other.h"_s));
        QVERIFY(write(frameworks + u"/Other.framework/Resources/HeadersNotes.txt"_s));
        QVERIFY(write(app + u"/Contents/Headers/kept.h"_s));
        QVERIFY(write(dir.filePath(u"shared/Headers/kept.h"_s)));
        QVERIFY(QFile::link(dir.filePath(u"shared"_s), frameworks + u"/Linked"_s));

        tz::StripHeadersFromBundle(app);

        QCOMPARE(itemsBelow(app),
                 (QStringList{
                     u"Contents"_s, u"Contents/Frameworks"_s, u"Contents/Frameworks/Kit.framework"_s,
                     u"Contents/Frameworks/Kit.framework/Versions"_s, u"Contents/Frameworks/Kit.framework/Versions/A"_s,
                     u"Contents/Frameworks/Kit.framework/Versions/A/Kit"_s, u"Contents/Frameworks/Linked"_s,
                     u"Contents/Frameworks/Other.framework"_s, u"Contents/Frameworks/Other.framework/Resources"_s,
                     u"Contents/Frameworks/Other.framework/Resources/HeadersNotes.txt"_s, u"Contents/Headers"_s,
                     u"Contents/Headers/kept.h"_s}));
        QVERIFY(QFileInfo::exists(dir.filePath(u"shared/Headers/kept.h"_s)));
    }

    void bundleWithoutFrameworksOrPath()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(write(dir.filePath(u"Plain.app/Contents/Headers/kept.h"_s)));
        tz::StripHeadersFromBundle(dir.filePath(u"Plain.app"_s));
        tz::StripHeadersFromBundle(QString());
        QVERIFY(QFileInfo::exists(dir.filePath(u"Plain.app/Contents/Headers/kept.h"_s)));
    }
};

QTEST_GUILESS_MAIN(TestStripHeaders)
#include "tst_StripHeadersFromBundle.moc"
