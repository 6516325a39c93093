#include "Carbon/FSUnsupported.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Every function without a Linux counterpart answers -50 and leaves its results alone, also for
// a valid item and volume.
class TestFSUnsupported : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answersNotSupported()
    {
        tz::FSRef root;
        QVERIFY(tz::getFSRef(u"/"_s, &root));
        tz::FSVolumeRefNum volume = 0;
        QCOMPARE(int(tz::FSGetVRefNum(root, &volume)), 0);

        quint32 number = 7;
        quint16 small = 7;
        QByteArray bytes = "kept";
        tz::FSRef ref{u"kept"_s, 1, 2};
        tz::FSSpec spec;
        spec.name = "kept";
        bool flag = true;
        const tz::FSRef keptRef = ref;
        const QList<std::pair<const char*, tz::OSErr>> answers = {
            {"FSGetVolMountInfoSize", tz::FSGetVolMountInfoSize(volume, &number)},
            {"FSGetVolMountInfo", tz::FSGetVolMountInfo(volume, &bytes)},
            {"FSVolumeMount", tz::FSVolumeMount(QByteArray(32, '\0'), &volume)},
            {"FSCreateFileIDRef", tz::FSCreateFileIDRef(root, &number)},
            {"FSResolveFileIDRef", tz::FSResolveFileIDRef(volume, 2, &ref)},
            {"FSMakeFSRef", tz::FSMakeFSRef(volume, root.node, u"etc"_s, &ref)},
            {"FSMakePath", tz::FSMakePath(volume, root.node, u"etc"_s, &bytes, 1024)},
            {"FSRefMakeFSSpec", tz::FSRefMakeFSSpec(root, &spec)},
            {"FSPathMakeFSSpec", tz::FSPathMakeFSSpec(u"/etc"_s, &spec, &flag)},
            {"FSGetDirAccess", tz::FSGetDirAccess(root, &number, &number, &number)},
            {"FSSetDirAccess", tz::FSSetDirAccess(root, 0, 0, 0x10070707)},
            {"FSCopyFile", tz::FSCopyFile(root, root, u"copy"_s, 0, &ref)},
            {"FSGetVolFileSystemID", tz::FSGetVolFileSystemID(volume, &small, &small)},
            {"FSGetVolParms", tz::FSGetVolParms(volume, 64, &bytes, &number)},
        };
        for (const auto& [name, status] : answers)
            QVERIFY2(status == -50, name);
        QCOMPARE(number, 7u);
        QCOMPARE(small, quint16(7));
        QCOMPARE(bytes, QByteArray("kept"));
        QCOMPARE(ref, keptRef);
        QCOMPARE(spec.name, QByteArray("kept"));
        QVERIFY(flag);
    }
};

QTEST_GUILESS_MAIN(TestFSUnsupported)
#include "tst_FSUnsupported.moc"
