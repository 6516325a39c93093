#include "Carbon/FSPermissions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TestFSPermissions : public QObject
{
    Q_OBJECT

    static tz::FSRef refOf(const QString& path)
    {
        tz::FSRef ref;
        if (!tz::getFSRef(path, &ref))
            qWarning("no reference for %s", qPrintable(path));
        return ref;
    }
    static tz::FSVolumeRefNum rootVolume()
    {
        tz::FSVolumeRefNum volume = 0;
        return tz::FSGetVRefNum(refOf(u"/"_s), &volume) == 0 ? volume : -1;
    }

private Q_SLOTS:
    // A 0600 file of root's: root may read and write it; nobody may do nothing and owns nothing.
    void privileges()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString root = QDir(dir.path()).canonicalPath();
        QVERIFY(::chmod(QFile::encodeName(root).constData(), 0755) == 0);
        const QString path = root + u"/f"_s;
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0600) == 0);
        const tz::FSRef ref = refOf(path);

        quint8 privileges = 0xFF;
        tz::FSPermissionInfo permissions;
        QCOMPARE(int(tz::FSGetUserPrivilegesPermissions(ref, &privileges, &permissions)), 0);
        QCOMPARE(permissions.userID, 0u);
        QCOMPARE(permissions.groupID, 0u);
        QCOMPARE(permissions.mode, quint16(S_IFREG | 0600));
        QCOMPARE(permissions.userAccess, quint8(tz::fsAccessOwner | tz::fsAccessWrite | tz::fsAccessRead));
        QCOMPARE(privileges, quint8(0x01)); // no search: not executable
        QCOMPARE(sizeof(tz::FSPermissionInfo), size_t(16));

        QVERIFY(::seteuid(65534) == 0);
        const tz::OSErr status = tz::FSGetUserPrivilegesPermissions(ref, &privileges, &permissions);
        QVERIFY(::seteuid(0) == 0);
        QCOMPARE(int(status), 0);
        QCOMPARE(permissions.userAccess, quint8(0));
        QCOMPARE(privileges, quint8(0x87));
        QCOMPARE(int(tz::FSGetUserPrivilegesPermissions(ref, nullptr, nullptr)), 0);
        QCOMPARE(int(tz::FSGetUserPrivilegesPermissions(tz::FSRef{}, &privileges, nullptr)), -43);
    }

    void mapIDsAndNames_data()
    {
        QTest::addColumn<quint32>("id");
        QTest::addColumn<quint32>("toName");
        QTest::addColumn<QString>("name");
        QTest::addColumn<quint32>("toID");
        QTest::newRow("root user") << 0u << tz::fsOwnerIDToName << u"root"_s << tz::fsOwnerNameToID;
        QTest::newRow("root group") << 0u << tz::fsGroupIDToName << u"root"_s << tz::fsGroupNameToID;
        QTest::newRow("nobody") << 65534u << tz::fsOwnerIDToName << u"nobody"_s << tz::fsOwnerNameToID;
    }
    void mapIDsAndNames()
    {
        QFETCH(quint32, id);
        QFETCH(quint32, toName);
        QFETCH(QString, name);
        QFETCH(quint32, toID);
        QString mapped;
        QCOMPARE(int(tz::FSMapID(rootVolume(), id, toName, &mapped)), 0);
        QCOMPARE(mapped, name);
        quint32 back = 12345;
        QCOMPARE(int(tz::FSMapName(rootVolume(), name, toID, &back)), 0);
        QCOMPARE(back, id);
    }

    void mapErrors()
    {
        QString name = u"unchanged"_s;
        quint32 id = 7;
        QCOMPARE(int(tz::FSMapID(rootVolume(), 3999999999u, tz::fsOwnerIDToName, &name)), -43);
        QCOMPARE(int(tz::FSMapName(rootVolume(), u"no-such-user-here"_s, tz::fsGroupNameToID, &id)), -43);
        QCOMPARE(int(tz::FSMapID(rootVolume(), 0, tz::fsOwnerNameToID, &name)), -50);
        QCOMPARE(int(tz::FSMapName(rootVolume(), u"root"_s, tz::fsOwnerIDToName, &id)), -50);
        QCOMPARE(int(tz::FSMapID(rootVolume(), 0, tz::fsOwnerIDToName, nullptr)), -50);
        QCOMPARE(int(tz::FSMapID(-1, 0, tz::fsOwnerIDToName, &name)), -35);
        QCOMPARE(name, u"unchanged"_s);
        QCOMPARE(id, 7u);
    }
};

QTEST_GUILESS_MAIN(TestFSPermissions)
#include "tst_FSPermissions.moc"
