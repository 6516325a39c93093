#include "Foundation_Additions/NSString/TzNSStringDelimitedRanges.h"
#include "Foundation_Additions/NSString/TzNSStringLinesFromString.h"

#include "Foundation/RangeFunctions.h"

#include "support/RangeText.h"
#include "support/VectorPathsToggle.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestLinesFromString : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("ranges");

        QTest::newRow("empty") << u""_s << QStringList{} << u""_s;
        QTest::newRow("final terminator") << u"a\n"_s << QStringList{u"a"_s} << u"{0, 1}"_s;
        QTest::newRow("empty last line") << u"a\n\n"_s << QStringList{u"a"_s, u""_s} << u"{0, 1} {2, 0}"_s;
        QTest::newRow("lone line feed") << u"\n"_s << QStringList{u""_s} << u"{0, 0}"_s;
        QTest::newRow("CR LF is one terminator") << u"a\r\nb"_s << QStringList{u"a"_s, u"b"_s} << u"{0, 1} {3, 1}"_s;
        QTest::newRow("LF CR is two") << u"a\n\rb"_s << QStringList{u"a"_s, u""_s, u"b"_s} << u"{0, 1} {2, 0} {3, 1}"_s;
        QTest::newRow("line separator") << u"x\u2028y"_s << QStringList{u"x"_s, u"y"_s} << u"{0, 1} {2, 1}"_s;
        QTest::newRow("NEL, PS, CR") << u"a\u0085b\u2029c\rd"_s << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s}
                                     << u"{0, 1} {2, 1} {4, 1} {6, 1}"_s;
        QTest::newRow("last line unterminated, long")
            << u"first line\nsecond one here"_s << QStringList{u"first line"_s, u"second one here"_s}
            << u"{0, 10} {11, 15}"_s;
        QTest::newRow("final CR") << u"ab\r"_s << QStringList{u"ab"_s} << u"{0, 2}"_s;
    }
    void lines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QFETCH(QString, ranges);
        QCOMPARE(tz::lines(text), lines);
        QCOMPARE(rangesText(tz::lineRanges(text)), ranges);
    }

    void delimitedRanges_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<QString>("ranges");

        QTest::newRow("tabs, empty last field") << u"a\tbc\t"_s << u"\t"_s << u"{0, 1} {2, 2} {5, 0}"_s;
        QTest::newRow("empty text") << u""_s << u"\t"_s << u"{0, 0}"_s;
        QTest::newRow("long delimiter") << u"x::y::::z"_s << u"::"_s << u"{0, 1} {3, 1} {6, 0} {8, 1}"_s;
        QTest::newRow("no delimiter") << u"abc"_s << u","_s << u"{0, 3}"_s;
        QTest::newRow("empty delimiter") << u"abc"_s << u""_s << u"{0, 3}"_s;
    }
    void delimitedRanges()
    {
        QFETCH(QString, text);
        QFETCH(QString, delimiter);
        QFETCH(QString, ranges);
        QCOMPARE(rangesText(tz::rangesDelimitedByString(text, delimiter)), ranges);
        if (delimiter == u"\t")
            QCOMPARE(rangesText(tz::tabDelimitedRanges(text)), ranges);
    }

    // Texts of every length up to 200 with terminators at random places: the vectorised search
    // and the portable one cut the same lines, which with their terminators cover the text.
    void bothPathsCutTheSameLines()
    {
        const char16_t alphabet[] = {u'a', u'b', u'\n', u'\r', 0x85, 0x2028, 0x2029, u' '};
        for (const QByteArray& sample : samplesUpTo(200)) {
            QString text;
            for (const char c : sample)
                text.append(QChar(alphabet[(uchar(c) % 32) < 24 ? 0 : uchar(c) % 8]));
            const QStringList vector = withVectorPaths(true, [&] { return tz::lines(text); });
            const QStringList portable = withVectorPaths(false, [&] { return tz::lines(text); });
            QCOMPARE(vector, portable);
            QCOMPARE(vector.join(QString()).size() + text.count(u'\n') + text.count(u'\r') + text.count(QChar(0x85))
                         + text.count(QChar(0x2028)) + text.count(QChar(0x2029)),
                     text.size());
        }
    }
};

QTEST_GUILESS_MAIN(TestLinesFromString)
#include "tst_TzNSStringLinesFromString.moc"
