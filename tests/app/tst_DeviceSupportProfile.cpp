#include "Foundation/Array.h"
#include "Foundation/PropertyList.h"
#include "Foundation/String.h"
#include "app/DeviceRows.h"
#include "app/DeviceSupportProfile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class tst_DeviceSupportProfile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void choosesOverrideElseServicePathsElseBuiltIn();
    void builtInProfileListsDrives();
    void readsThroughSymbolicLinks();
    void textHoldingNulReads();
    void unreadableFilesGiveNil_data();
    void unreadableFilesGiveNil();

private:
    QTemporaryDir _dir;
};

void tst_DeviceSupportProfile::choosesOverrideElseServicePathsElseBuiltIn()
{
    if (QFileInfo::exists(DeviceSupportProfile::pathToFile)
        || QFileInfo::exists(DeviceSupportProfile::leopardPathToFile))
        QSKIP("this machine has the disc-recording service's own profile");
    QCOMPARE(DeviceSupportProfile::chosenPath(), DeviceSupportProfile::builtInPath);
    const QString mine = _dir.filePath(QStringLiteral("mine.drprofile"));
    QCOMPARE(DeviceSupportProfile::chosenPath(mine), mine);
    QCOMPARE(DeviceSupportProfile::chosenPath(QString()), DeviceSupportProfile::builtInPath);
}

void tst_DeviceSupportProfile::builtInProfileListsDrives()
{
    const tz::Id root = DeviceSupportProfile::readProfile(DeviceSupportProfile::builtInPath);
    const auto* entries = tz::as<tz::Array>(root);
    QVERIFY(entries);
    QVERIFY(entries->count() > 0);
    const QList<tz::Id> rows = DeviceRows::supportedRowsFromProfile(root);
    QVERIFY(rows.size() >= entries->count());
    for (const tz::Id& row : rows) {
        const auto* dict = tz::as<tz::Dictionary>(row);
        QVERIFY(!tz::textOf(dict->objectForKey(modelKey)).isEmpty());
        QVERIFY(tz::as<tz::Dictionary>(dict->objectForKey(infoKey)));
    }
}

void tst_DeviceSupportProfile::readsThroughSymbolicLinks()
{
    const QString target = _dir.filePath(QStringLiteral("real.drprofile"));
    const auto root = tz::Array::make({tz::Dictionary::make({{DRPersonalitiesKey, tz::Dictionary::make()}})});
    QVERIFY(tz::propertyList::writeFile(root, target));
    const QString link = _dir.filePath(QStringLiteral("link.drprofile"));
    QVERIFY(QFile::link(target, link));
    QVERIFY(tz::isEqual(DeviceSupportProfile::readProfile(link), root));
}

void tst_DeviceSupportProfile::textHoldingNulReads()
{
    const QString path = _dir.filePath(QStringLiteral("nul.drprofile"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        QByteArray("<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>A\0B</string></array></plist>", 85));
    file.close();
    const tz::Id profile = DeviceSupportProfile::readProfile(path);
    const auto* root = tz::as<tz::Array>(profile);
    QVERIFY(root);
    // Whatever the parser makes of the NUL, the file is read, not aborted on.
    QCOMPARE(root->count(), 1);
}

void tst_DeviceSupportProfile::unreadableFilesGiveNil_data()
{
    QTest::addColumn<QByteArray>("contents"); // null: no file at all
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("not a property list") << QByteArray("DRDevicePersonalities = yes; this is no plist");
    QTest::newRow("truncated xml") << QByteArray("<?xml version=\"1.0\"?><plist version=\"1.0\"><array><dict><key>");
    QTest::newRow("truncated binary") << QByteArray("bplist00\xd1\x01\x02", 11);
}

void tst_DeviceSupportProfile::unreadableFilesGiveNil()
{
    QFETCH(QByteArray, contents);
    const QString path = _dir.filePath(QString::fromUtf8(QTest::currentDataTag()));
    if (!contents.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    QVERIFY(!DeviceSupportProfile::readProfile(path));
}

QTEST_APPLESS_MAIN(tst_DeviceSupportProfile)
#include "tst_DeviceSupportProfile.moc"
