#include "Foundation_Additions/NSString/TzNSStringRandomEnglishString.h"

#include "Foundation_Additions/NSString/TzNSStringLinesFromString.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSet>

#include <mutex>
#include <optional>

// The resource lives in the static library: registering it here pulls it into every program that reads it.
static void initWordListResource()
{
    Q_INIT_RESOURCE(shortwords);
}

namespace tz {

namespace {

// Capital first letter for each blank-separated word, the rest lower case.
QString capitalized(const QString& word)
{
    QString result = word.toLower();
    bool atWordStart = true;
    for (QChar& c : result) {
        if (c.isSpace()) {
            atWordStart = true;
        } else if (atWordStart) {
            c = c.toUpper();
            atWordStart = false;
        }
    }
    return result;
}

} // namespace

QString wordlistFilename()
{
    return QStringLiteral("shortwords.txt");
}

QStringList wordList()
{
    static std::mutex mutex;
    static std::optional<QStringList> cache;
    const std::lock_guard lock(mutex);
    if (!cache) {
        initWordListResource();
        QFile file(QStringLiteral(":/tzkit/") + wordlistFilename());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        cache = lines(QString::fromUtf8(file.readAll()));
    }
    return *cache;
}

QString randomEnglishWord()
{
    const QStringList words = wordList();
    if (words.isEmpty())
        return {};
    return words.at(qsizetype(QRandomGenerator::system()->generate() % quint32(words.size())));
}

QString randomCompositeStringWithWordCount(qsizetype count)
{
    const QStringList words = wordList();
    QSet<QString> distinct;
    for (const QString& word : words)
        distinct.insert(capitalized(word));
    const qsizetype wanted = qMin(count, qsizetype(distinct.size()));
    if (count > 0 && wanted == 0)
        return {};
    QStringList collected;
    QSet<QString> taken;
    while (collected.size() < wanted) {
        const QString word = capitalized(randomEnglishWord());
        if (!taken.contains(word)) {
            taken.insert(word);
            collected.append(word);
        }
    }
    return collected.join(QString(QStringLiteral("")));
}

QString randomCompositeString()
{
    return randomCompositeStringWithWordCount(2);
}

} // namespace tz
