#include "Foundation_Additions/NSString/TzNSStringRandomEnglishString.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

class TestRandomEnglishString : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wordListIsFoundFromAProgram()
    {
        const QStringList words = tz::wordList();
        // The list is the named resource, read whole.
        QFile file(u":/tzkit/"_s + tz::wordlistFilename());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(words.size(), QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts).size());
        QVERIFY(words.size() >= 1000);
        QCOMPARE(QSet<QString>(words.cbegin(), words.cend()).size(), words.size());
        const QRegularExpression shortWord(u"^[a-z]{2,7}$"_s);
        for (const QString& word : words)
            QVERIFY2(shortWord.match(word).hasMatch(), qPrintable(word));
    }

    void randomWordComesFromTheList()
    {
        const QStringList words = tz::wordList();
        QSet<QString> seen;
        for (int i = 0; i < 50; ++i) {
            const QString word = tz::randomEnglishWord();
            QVERIFY(words.contains(word));
            seen.insert(word);
        }
        QVERIFY(seen.size() > 1);
    }

    void compositeOfDistinctCapitalisedWords_data()
    {
        QTest::addColumn<qsizetype>("count");
        QTest::newRow("three") << qsizetype(3);
        QTest::newRow("default two") << qsizetype(-1);
        QTest::newRow("none") << qsizetype(0);
    }
    void compositeOfDistinctCapitalisedWords()
    {
        QFETCH(qsizetype, count);
        const QString name = count < 0 ? tz::randomCompositeString() : tz::randomCompositeStringWithWordCount(count);
        const qsizetype expected = count < 0 ? 2 : count;
        const QStringList parts = name.split(QRegularExpression(u"(?=[A-Z])"_s), Qt::SkipEmptyParts);
        QCOMPARE(parts.size(), expected);
        const QStringList words = tz::wordList();
        for (const QString& part : parts)
            QVERIFY2(words.contains(part.toLower()) && part.front().isUpper(), qPrintable(name));
        QCOMPARE(QSet<QString>(parts.cbegin(), parts.cend()).size(), parts.size());
    }

    // More words than the list holds: stops with every distinct word once, never hangs.
    void moreWordsThanTheListStopsEarly()
    {
        const qsizetype size = tz::wordList().size();
        const QString name = tz::randomCompositeStringWithWordCount(size + 5);
        QCOMPARE(name.count(QRegularExpression(u"[A-Z]"_s)), size);
    }
};

QTEST_GUILESS_MAIN(TestRandomEnglishString)
#include "tst_TzNSStringRandomEnglishString.moc"
