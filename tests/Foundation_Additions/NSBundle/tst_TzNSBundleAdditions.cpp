#include "Foundation_Additions/NSBundle/TzNSBundleAdditions.h"

#include "Foundation/Array.h"
#include "Foundation/PropertyList.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSBundle/Bundle.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Document types of a real temporary bundle's information dictionary.
class TestBundleAdditions : public QObject
{
    Q_OBJECT

    static tz::Id strings(const QStringList& texts)
    {
        QList<tz::Id> objects;
        for (const QString& text : texts)
            objects.append(tz::str(text));
        return tz::Array::make(objects);
    }

private Q_SLOTS:
    void cleanup() { tz::bundle::setMainBundlePath(QString()); }

    void openableDocumentTypes()
    {
        QTemporaryDir bundle;
        QVERIFY(bundle.isValid());
        tz::bundle::setMainBundlePath(bundle.path());
        QCOMPARE(tz::openableDocumentTypes(), QStringList{});

        const auto entry = [](const QString& role, const QStringList& extensions, const QStringList& codes) {
            // A nil value leaves its key out.
            return tz::Dictionary::make({{u"CFBundleTypeRole"_s, role.isNull() ? tz::Id() : tz::str(role)},
                                         {u"CFBundleTypeExtensions"_s, strings(extensions)},
                                         {u"CFBundleTypeOSTypes"_s, strings(codes)}});
        };
        const tz::Id types = tz::Array::make({
            entry(u"Viewer"_s, {u"drprofile"_s, u"Plist"_s}, {u"TEXT"_s}),
            entry(u"None"_s, {u"ignored"_s}, {u"NONE"_s}),
            entry(QString(), {u"sim"_s}, {}),
            tz::str(u"not an entry"_s),
            entry(u"Editor"_s, {u"drprofile"_s}, {u"toolong"_s, u"pdf "_s}),
        });
        QVERIFY(QDir().mkpath(bundle.filePath(u"Contents"_s)));
        QVERIFY(tz::propertyList::writeFile(tz::Dictionary::make({{u"CFBundleDocumentTypes"_s, types}}),
                                            bundle.filePath(u"Contents/Info.plist"_s)));
        QCOMPARE(
            tz::openableDocumentTypes(),
            (QStringList{u"DRPROFILE"_s, u"PLIST"_s, u"'TEXT'"_s, u"SIM"_s, u"DRPROFILE"_s, u"''"_s, u"'pdf '"_s}));
    }
};

QTEST_GUILESS_MAIN(TestBundleAdditions)
#include "tst_TzNSBundleAdditions.moc"
