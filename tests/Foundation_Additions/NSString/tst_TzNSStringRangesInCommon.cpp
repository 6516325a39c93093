#include "Foundation_Additions/NSString/TzNSStringRangesInCommon.h"

#include "Foundation/RangeFunctions.h"
#include "support/StdErrCapture.h"

#include "support/RangeText.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestRangesInCommon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wholeStrings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("other");
        QTest::addColumn<QString>("inCommon");
        QTest::addColumn<QString>("notInCommon");

        QTest::newRow("first differs") << u"abc"_s << u"xbc"_s << u"{1, 2}"_s << u"{0, 1}"_s;
        QTest::newRow("other shorter") << u"abc"_s << u"ab"_s << u"{0, 2}"_s << u"{2, 1}"_s;
        QTest::newRow("equal") << u"abc"_s << u"abc"_s << u"{0, 3}"_s << u""_s;
        QTest::newRow("alternating") << u"abcde"_s << u"aXcYe"_s << u"{0, 1} {2, 1} {4, 1}"_s << u"{1, 1} {3, 1}"_s;
        QTest::newRow("other longer") << u"ab"_s << u"abc"_s << u"{0, 2}"_s << u""_s;
        QTest::newRow("literal sees case") << u"aB"_s << u"ab"_s << u"{0, 1}"_s << u"{1, 1}"_s;
        QTest::newRow("both empty") << u""_s << u""_s << u"{0, 0}"_s << u""_s;
    }
    void wholeStrings()
    {
        QFETCH(QString, text);
        QFETCH(QString, other);
        QFETCH(QString, inCommon);
        QFETCH(QString, notInCommon);
        QCOMPARE(rangesText(tz::rangesInCommonWithString(text, other)), inCommon);
        QCOMPARE(rangesText(tz::rangesNotInCommonWithString(text, other)), notInCommon);
    }

    void caseInsensitiveInsideRange()
    {
        QCOMPARE(rangesText(tz::rangesInOrNotInCommonWithStringOptionsRange(
                     u"aBcD"_s, true, u"AbXd"_s, tz::CaseInsensitiveSearch, tz::Range{1, 3})),
                 u"{1, 1} {3, 1}"_s);
    }

    void rangeBeyondTheTextIsLoggedAndCut()
    {
        StdErrCapture capture;
        const QList<tz::Range> ranges =
            tz::rangesInOrNotInCommonWithStringOptionsRange(u"abcdef"_s, false, u"abXdef"_s, 0, tz::Range{3, 4});
        const QString log = QString::fromUtf8(capture.text());
        QCOMPARE(rangesText(ranges), u""_s);
        QVERIFY2(log.contains(u"(-[NSString(RangesInCommon) rangesInOrNotIn:commonWithString:options:range:]) "
                              u"Range requested: {3, 4} exceeds max range {0, 6} of abcdef"_s),
                 qPrintable(log));
        QVERIFY(log.contains(u"\"TzNSStringRangesInCommon.cpp\",#"_s));
    }
};

QTEST_GUILESS_MAIN(TestRangesInCommon)
#include "tst_TzNSStringRangesInCommon.moc"
