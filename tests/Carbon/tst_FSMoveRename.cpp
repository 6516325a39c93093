#include "Carbon/FSMoveRename.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "PrivateMounts.h"

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// Folders "a" and "b" in a fresh temporary folder; "a/f" holds "data", its companion "a/._f"
// holds "companion".
class TestFSMoveRename : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> _dir;
    QString _root;

    QString at(const QString& name) const { return _root + u'/' + name; }
    bool make(const QString& name, const QByteArray& bytes) const
    {
        QFile file(at(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    QByteArray contents(const QString& name) const
    {
        QFile file(at(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QString listing() const
    {
        const auto names = [this](const QString& folder) {
            return QDir(at(folder))
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)
                .join(u',');
        };
        return u"a:"_s + names(u"a"_s) + u" b:"_s + names(u"b"_s);
    }
    static tz::FSRef refOf(const QString& path)
    {
        tz::FSRef ref;
        if (!tz::getFSRef(path, &ref))
            qWarning("no reference for %s", qPrintable(path));
        return ref;
    }

private Q_SLOTS:
    void init()
    {
        _dir = std::make_unique<QTemporaryDir>();
        QVERIFY(_dir->isValid());
        _root = QDir(_dir->path()).canonicalPath();
        QVERIFY(QDir(_root).mkdir(u"a"_s) && QDir(_root).mkdir(u"b"_s));
        QVERIFY(make(u"a/f"_s, "data") && make(u"a/._f"_s, "companion"));
    }
    void cleanup() { _dir.reset(); }

    void uniqueNames()
    {
        const tz::FSRef a = refOf(at(u"a"_s));
        const tz::FSRef b = refOf(at(u"b"_s));
        quint32 seed = tz::uniqueNameSeed;
        QString name;
        QCOMPARE(int(tz::GenerateUniqueHFSUniStr(&seed, a, b, &name)), 0);
        QCOMPARE(name, u"546F7673"_s);
        QCOMPARE(seed, 0x546F7674u);

        // Taken in the first folder, then in the second: both are passed over.
        QVERIFY(make(u"a/546F7674"_s, "") && make(u"b/546F7675"_s, ""));
        QCOMPARE(int(tz::GenerateUniqueHFSUniStr(&seed, a, b, &name)), 0);
        QCOMPARE(name, u"546F7676"_s);
        QCOMPARE(seed, 0x546F7677u);

        seed = 0xabcdef01;
        QCOMPARE(int(tz::GenerateUniqueHFSUniStr(&seed, a, a, &name)), 0);
        QCOMPARE(name, u"ABCDEF01"_s);
        seed = 1;
        QCOMPARE(int(tz::GenerateUniqueHFSUniStr(&seed, a, b, &name)), 0);
        QCOMPARE(name, u"00000001"_s);
        seed = 0xFFFFFFFF;
        QCOMPARE(int(tz::GenerateUniqueHFSUniStr(&seed, a, b, &name)), 0);
        QCOMPARE(name, u"FFFFFFFF"_s);
        QCOMPARE(seed, 0u);
    }

    void uniqueNameErrors()
    {
        const tz::FSRef a = refOf(at(u"a"_s));
        quint32 seed = 5;
        QString name = u"unchanged"_s;
        QCOMPARE(int(tz::GenerateUniqueHFSUniStr(nullptr, a, a, &name)), -50);
        QCOMPARE(int(tz::GenerateUniqueHFSUniStr(&seed, a, a, nullptr)), -50);
        QCOMPARE(int(tz::GenerateUniqueHFSUniStr(&seed, a, refOf(at(u"a/f"_s)), &name)), -120);
        QCOMPARE(int(tz::GenerateUniqueHFSUniStr(&seed, tz::FSRef{}, a, &name)), -43);
        // A folder this process cannot search: the status of the look-up ends the loop.
        QVERIFY(::chmod(QFile::encodeName(_root).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(at(u"a"_s)).constData(), 0700) == 0);
        const tz::FSRef b = refOf(at(u"b"_s));
        QVERIFY(::seteuid(65534) == 0);
        const tz::OSErr status = tz::GenerateUniqueHFSUniStr(&seed, b, a, &name);
        QVERIFY(::seteuid(0) == 0);
        QCOMPARE(int(status), -5000);
        QCOMPARE(name, u"unchanged"_s);
    }

    void moveRename_data()
    {
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("name");        // "<none>": no new name
        QTest::addColumn<QStringList>("present"); // made first, holding "other"
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("finalPath"); // where a/f's data and companion end up
        QTest::addColumn<QString>("listing");

        QTest::newRow("move keeping the name")
            << u"b"_s << u"<none>"_s << QStringList() << 0 << u"b/f"_s << u"a: b:._f,f"_s;
        QTest::newRow("move into its own folder does nothing")
            << u"a"_s << u"<none>"_s << QStringList() << 0 << u"a/f"_s << u"a:._f,f b:"_s;
        QTest::newRow("rename in its folder") << u"a"_s << u"g"_s << QStringList() << 0 << u"a/g"_s << u"a:._g,g b:"_s;
        QTest::newRow("move and rename") << u"b"_s << u"g"_s << QStringList() << 0 << u"b/g"_s << u"a: b:._g,g"_s;
        QTest::newRow("new name taken only in the old folder")
            << u"b"_s << u"g"_s << QStringList{u"a/g"_s} << 0 << u"b/g"_s << u"a:g b:._g,g"_s;
        QTest::newRow("new name taken in the new folder")
            << u"b"_s << u"g"_s << QStringList{u"b/g"_s} << -48 << u"a/f"_s << u"a:._f,f b:g"_s;
        QTest::newRow("old name taken in the new folder")
            << u"b"_s << u"<none>"_s << QStringList{u"b/f"_s} << -48 << u"a/f"_s << u"a:._f,f b:f"_s;
        QTest::newRow("new name taken in its own folder")
            << u"a"_s << u"g"_s << QStringList{u"a/g"_s} << -48 << u"a/f"_s << u"a:._f,f,g b:"_s;
        QTest::newRow("name with a slash") << u"b"_s << u"x/y"_s << QStringList() << -37 << u"a/f"_s << u"a:._f,f b:"_s;
        QTest::newRow("name with a NUL") << u"b"_s << u"g"_s + QChar(0) << QStringList() << -37 << u"a/f"_s
                                         << u"a:._f,f b:"_s;
        QTest::newRow("empty name") << u"b"_s << u""_s << QStringList() << -37 << u"a/f"_s << u"a:._f,f b:"_s;
        QTest::newRow("destination is a file")
            << u"a/f"_s << u"<none>"_s << QStringList() << -120 << u"a/f"_s << u"a:._f,f b:"_s;
    }
    void moveRename()
    {
        QFETCH(QString, destination);
        QFETCH(QString, name);
        QFETCH(QStringList, present);
        QFETCH(int, status);
        QFETCH(QString, finalPath);
        QFETCH(QString, listing);
        for (const QString& path : present)
            QVERIFY(make(path, "other"));
        const tz::FSRef item = refOf(at(u"a/f"_s));
        tz::FSRef moved{u"untouched"_s, 0, 0};
        const QString newName = name == u"<none>" ? QString() : name;
        QCOMPARE(int(tz::FSMoveRenameObjectUnicode(item, refOf(at(destination)), newName, 0, &moved)), status);
        QCOMPARE(this->listing(), listing);
        QCOMPARE(contents(finalPath), QByteArray("data"));
        const QString companion = finalPath.section(u'/', 0, -2) + u"/._"_s + finalPath.section(u'/', -1);
        QCOMPARE(contents(companion), QByteArray("companion"));
        for (const QString& path : present)
            QCOMPARE(contents(path), QByteArray("other"));
        if (status == 0) {
            QCOMPARE(moved.path, at(finalPath));
            QCOMPARE(moved.node, item.node);
            QVERIFY(tz::FSRefValid(moved));
        } else {
            QCOMPARE(moved.path, u"untouched"_s);
        }
    }

    void moveWithoutNewRefAndOfMissingItem()
    {
        QCOMPARE(int(tz::FSMoveRenameObjectUnicode(refOf(at(u"a/f"_s)), refOf(at(u"b"_s)), u"h"_s, 0, nullptr)), 0);
        QCOMPARE(listing(), u"a: b:._h,h"_s);
        QCOMPARE(int(tz::FSMoveRenameObjectUnicode(tz::FSRef{}, refOf(at(u"b"_s)), u"h"_s, 0, nullptr)), -43);
    }

    // A destination this process may not write to: the item goes back to its old name.
    void failedMoveIsUndone()
    {
        QVERIFY(::chmod(QFile::encodeName(_root).constData(), 0755) == 0);
        QVERIFY(::chown(QFile::encodeName(at(u"a"_s)).constData(), 65534, 65534) == 0);
        QVERIFY(::chown(QFile::encodeName(at(u"a/f"_s)).constData(), 65534, 65534) == 0);
        QVERIFY(::chown(QFile::encodeName(at(u"a/._f"_s)).constData(), 65534, 65534) == 0);
        QVERIFY(::chmod(QFile::encodeName(at(u"b"_s)).constData(), 0755) == 0); // root's, not writable for nobody
        QVERIFY(::seteuid(65534) == 0);
        const tz::OSErr status =
            tz::FSMoveRenameObjectUnicode(refOf(at(u"a/f"_s)), refOf(at(u"b"_s)), u"g"_s, 0, nullptr);
        QVERIFY(::seteuid(0) == 0);
        QCOMPARE(int(status), -5000);
        QCOMPARE(listing(), u"a:._f,f b:"_s);
    }

    void otherVolume()
    {
        const QByteArray mountPoint = QFile::encodeName(at(u"b"_s));
        const int failed = inPrivateMounts([&]() -> int {
            if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=1m") != 0)
                return 1;
            if (tz::FSMoveRenameObjectUnicode(refOf(at(u"a/f"_s)), refOf(at(u"b"_s)), QString(), 0, nullptr) != -1303)
                return 2;
            return QFile::exists(at(u"a/f"_s)) ? 0 : 3;
        });
        QCOMPARE(failed, 0);
    }
};

QTEST_GUILESS_MAIN(TestFSMoveRename)
#include "tst_FSMoveRename.moc"
