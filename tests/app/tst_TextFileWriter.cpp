#include "app/TextFileWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "support/LockedFolder.h"

#include <optional>

#include <unistd.h>

using namespace Qt::StringLiterals;

class tst_TextFileWriter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writesUtf8AndReplaces();
    void failureKeepsEarlierFile_data();
    void failureKeepsEarlierFile();
};

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void tst_TextFileWriter::writesUtf8AndReplaces()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Connected Devices.txt"_s);
    QVERIFY(TextFileWriter::writeTextFile(u"Model\tVendor\nBD-RE \u00e9\u65e5\n"_s, path));
    QCOMPARE(contents(path), QByteArray("Model\tVendor\nBD-RE \xc3\xa9\xe6\x97\xa5\n"));
    QVERIFY(TextFileWriter::writeTextFile(u""_s, path));
    QCOMPARE(contents(path), QByteArray());
    // No temporary is left beside the file.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"Connected Devices.txt"_s});
}

// Places no one can write in, also root (as the tests run in CI): a locked folder (the immutable
// attribute for root), a "folder" that is a regular file, and procfs.
void tst_TextFileWriter::failureKeepsEarlierFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("read-only folder") << u"read-only"_s;
    QTest::newRow("folder is a file") << u"file as folder"_s;
    QTest::newRow("existing file in procfs") << u"procfs"_s;
    QTest::newRow("no path") << u"empty"_s;
}

void tst_TextFileWriter::failureKeepsEarlierFile()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QString path;
    std::optional<LockedFolder> locked;
    if (kind == u"read-only") {
        QVERIFY(QDir(dir.path()).mkdir(u"locked"_s));
        path = dir.filePath(u"locked/out.txt"_s);
        QVERIFY(TextFileWriter::writeTextFile(u"earlier\n"_s, path));
        locked.emplace(dir.filePath(u"locked"_s));
        QVERIFY2(locked->isLocked(), qPrintable(locked->error()));
    } else if (kind == u"file as folder") {
        QVERIFY(TextFileWriter::writeTextFile(u"not a folder\n"_s, dir.filePath(u"folder"_s)));
        path = dir.filePath(u"folder/out.txt"_s);
    } else if (kind == u"procfs") {
        path = u"/proc/version"_s;
    }
    const QByteArray before = contents(path);

    QVERIFY(!TextFileWriter::writeTextFile(u"replacement\n"_s, path));
    QCOMPARE(contents(path), before);
    if (kind == u"read-only") {
        locked.reset();
        QCOMPARE(QDir(dir.filePath(u"locked"_s)).entryList(QDir::Files | QDir::Hidden), QStringList{u"out.txt"_s});
    }
    if (kind == u"file as folder")
        QCOMPARE(contents(dir.filePath(u"folder"_s)), QByteArray("not a folder\n"));
}

QTEST_APPLESS_MAIN(tst_TextFileWriter)
#include "tst_TextFileWriter.moc"
