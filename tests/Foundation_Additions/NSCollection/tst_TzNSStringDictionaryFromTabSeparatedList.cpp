#include "Foundation_Additions/NSCollection/TzNSStringDictionaryFromTabSeparatedList.h"

#include "Foundation/String.h"
#include "support/StdErrCapture.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestDictionaryFromTabSeparatedList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filledColumns_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QStringList>("columns");

        QTest::newRow("two") << u"k\tv"_s << QStringList{u"k"_s, u"v"_s};
        QTest::newRow("empty field dropped") << u"k2\t\tw"_s << QStringList{u"k2"_s, u"w"_s};
        QTest::newRow("fields trimmed") << u" a \t b\u00A0"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("blank field dropped") << u"a\t  \tb\tc"_s << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("empty row") << u""_s << QStringList{};
    }
    void filledColumns()
    {
        QFETCH(QString, row);
        QFETCH(QStringList, columns);
        QCOMPARE(tz::filledColumnsFromRow(row), columns);
    }

    void list_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("pairs");  // key, value, key, value... in order
        QTest::addColumn<QStringList>("logged"); // the lines logged, with their counts

        QTest::newRow("pairs and a lone key")
            << u"k\tv\nk2\t\tw\nlone"_s << QStringList{u"k"_s, u"v"_s, u"k2"_s, u"w"_s}
            << QStringList{u"line \"lone\" has 1 filled columns: should be 2"_s};
        QTest::newRow("later key wins, extra columns ignored")
            << u"a\t1\r\nb\t2\r\na\t3\tx"_s << QStringList{u"a"_s, u"3"_s, u"b"_s, u"2"_s}
            << QStringList{u"line \"a\t3\tx\" has 3 filled columns: should be 2"_s};
        QTest::newRow("empty line is logged") << u"a\tb\n\nc\td"_s << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s}
                                              << QStringList{u"line \"\" has 0 filled columns: should be 2"_s};
        QTest::newRow("empty text") << u""_s << QStringList{} << QStringList{};
    }
    void list()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, pairs);
        QFETCH(QStringList, logged);
        StdErrCapture capture;
        const tz::DictionaryPtr dict = tz::dictionaryFromTabSeparatedList(text);
        const QString log = QString::fromUtf8(capture.text());
        QVERIFY(dict);
        QCOMPARE(dict->count(), pairs.size() / 2);
        for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
            QCOMPARE(tz::textOf(dict->entries().at(i / 2).first), pairs.at(i));
            QCOMPARE(tz::textOf(dict->objectForKey(pairs.at(i))), pairs.at(i + 1));
        }
        const QString prefix =
            u"\"TzNSStringDictionaryFromTabSeparatedList.cpp\",#%1 (-[NSString(DictionaryFromTabSeparatedList) "
            u"dictionaryFromTabSeparatedList]) "_s;
        QCOMPARE(log.count(u"(-[NSString(DictionaryFromTabSeparatedList) dictionaryFromTabSeparatedList]) "_s),
                 logged.size());
        for (const QString& message : logged)
            QVERIFY2(log.contains(u") "_s + message + u'\n'), qPrintable(log));
        if (!logged.isEmpty())
            QVERIFY2(log.contains(prefix.section(u'%', 0, 0)), qPrintable(log));
    }
};

QTEST_GUILESS_MAIN(TestDictionaryFromTabSeparatedList)
#include "tst_TzNSStringDictionaryFromTabSeparatedList.moc"
