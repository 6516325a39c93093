// A save killed at any moment leaves the old file or the whole new one. The new file is unnamed
// while it is written; only a kill between naming it and the rename can leave it, whole, and the
// next save removes it.
#include "Foundation/Array.h"
#include "Foundation/Dictionary.h"
#include "Foundation/PropertyList.h"
#include "Foundation/String.h"
#include "app/TextFileWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>

#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class tst_InterruptedSave : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void killedSaveLeavesOldOrNewFile_data();
    void killedSaveLeavesOldOrNewFile();
};

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString bigText(QChar fill)
{
    QString text;
    for (int line = 0; line < 40000; ++line)
        text += QString(60, fill) + u'\t' + QString::number(line) + u'\n';
    return text;
}

tz::Id bigList(const QString& tag)
{
    QList<tz::Id> rows;
    for (int i = 0; i < 6000; ++i)
        rows.append(
            tz::Dictionary::make({{u"model"_s, tz::str(tag + QString::number(i))}, {u"vendor"_s, tz::str(tag)}}));
    return tz::Array::make(rows);
}

} // namespace

void tst_InterruptedSave::killedSaveLeavesOldOrNewFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("text file") << u"text"_s;
    QTest::newRow("xml property list") << u"xml"_s;
    QTest::newRow("binary property list") << u"binary"_s;
}

void tst_InterruptedSave::killedSaveLeavesOldOrNewFile()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"saved"_s);
    std::function<bool(bool)> save; // true: the new version, false: the old one
    if (kind == u"text") {
        const QString older = bigText(u'o');
        const QString newer = bigText(u'n');
        save = [=](bool newVersion) { return TextFileWriter::writeTextFile(newVersion ? newer : older, path); };
    } else {
        const auto format = kind == u"xml" ? tz::propertyList::Format::Xml : tz::propertyList::Format::Binary;
        const tz::Id older = bigList(u"old"_s);
        const tz::Id newer = bigList(u"new"_s);
        save = [=](bool newVersion) { return tz::propertyList::writeFile(newVersion ? newer : older, path, format); };
    }
    QElapsedTimer timer;
    timer.start();
    QVERIFY(save(true));
    // Kills land anywhere within the first few saves of the child.
    const qint64 saveMicroseconds = qMax<qint64>(timer.nsecsElapsed() / 1000, 1000);
    const QByteArray newer = contents(path);
    QVERIFY(save(false));
    const QByteArray older = contents(path);
    QVERIFY(older != newer && older.size() > 100000);

    // The child saves the two versions in turn until it is killed at a random moment.
    int sawOlder = 0;
    int sawNewer = 0;
    int leftovers = 0;
    const int rounds =
        qEnvironmentVariableIntValue("TZ_KILL_ROUNDS") > 0 ? qEnvironmentVariableIntValue("TZ_KILL_ROUNDS") : 60;
    for (int round = 0; round < rounds; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (bool newVersion = true;; newVersion = !newVersion)
                (void)save(newVersion);
        }
        QVERIFY(child > 0);
        ::usleep(useconds_t(QRandomGenerator::global()->bounded(saveMicroseconds * 3)));
        ::kill(child, SIGKILL);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));

        const QByteArray now = contents(path);
        QVERIFY2(now == older || now == newer,
                 qPrintable(u"round %1: %2 bytes, neither version"_s.arg(round).arg(now.size())));
        (now == older ? sawOlder : sawNewer)++;
        const auto names = [&dir] { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System); };
        const QStringList left = names();
        QVERIFY(left.contains(u"saved"_s));
        if (left.size() > 1) {
            QCOMPARE(left, QStringList({u".saved.saving"_s, u"saved"_s}));
            const QByteArray companion = contents(dir.filePath(u".saved.saving"_s));
            QVERIFY2(companion == older || companion == newer, "partial companion");
            ++leftovers;
            QVERIFY(save(now != older));
            QCOMPARE(names(), QStringList(u"saved"_s));
        }
    }
    qInfo("%d rounds: old file %d times, new file %d times, a whole companion left (removed by the next save) %d times",
          rounds, sawOlder, sawNewer, leftovers);
}

QTEST_APPLESS_MAIN(tst_InterruptedSave)
#include "tst_InterruptedSave.moc"
