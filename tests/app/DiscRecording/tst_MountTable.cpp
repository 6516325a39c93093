#include "app/DiscRecording/MountTable.h"

#include <QTest>

#include <sys/sysmacros.h>

class tst_MountTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void listsDevice_data();
    void listsDevice();
};

void tst_MountTable::listsDevice_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<bool>("listed");
    const QByteArray root("28 1 259:2 / / rw,relatime shared:1 - ext4 /dev/nvme0n1p2 rw\n");
    QTest::newRow("mounted disc") << root + "420 28 11:0 / /media/a/DISC ro - udf /dev/sr0 ro\n" << true;
    QTest::newRow("last line without its line end")
        << root + "420 28 11:0 / /media/a/DISC ro - udf /dev/sr0 ro" << true;
    QTest::newRow("only the device field") << QByteArray("420 28 11:0") << true;
    QTest::newRow("another minor") << root + "420 28 11:1 / /media/a/DISC ro - udf /dev/sr1 ro\n" << false;
    QTest::newRow("number elsewhere on the line")
        << QByteArray("11:0 28 8:1 /11:0 /mnt/11:0 rw - ext4 11:0 rw\n") << false;
    QTest::newRow("short and empty lines") << QByteArray("\n1 2\n\n11:0\n") << false;
    QTest::newRow("empty table") << QByteArray() << false;
}

void tst_MountTable::listsDevice()
{
    QFETCH(QByteArray, table);
    QFETCH(bool, listed);
    QCOMPARE(DiscRecording::mountTableListsDevice(table, makedev(11, 0)), listed);
}

QTEST_APPLESS_MAIN(tst_MountTable)
#include "tst_MountTable.moc"
