#include "Foundation_Additions/NSString/TzNSStringBoolValue.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestBoolValue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void words_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hasBool");
        QTest::addColumn<bool>("value");

        QTest::newRow("YES") << u"YES"_s << true << true;
        QTest::newRow("True") << u"True"_s << true << true;
        QTest::newRow("t") << u"t"_s << true << true;
        QTest::newRow("1") << u"1"_s << true << true;
        QTest::newRow("no") << u"no"_s << true << false;
        QTest::newRow("0") << u"0"_s << true << false;
        QTest::newRow("false") << u"false"_s << true << false;
        QTest::newRow("empty") << u""_s << false << false;
        QTest::newRow("blank") << u" \n\t"_s << false << false;
        QTest::newRow("maybe") << u"maybe"_s << false << false;
        QTest::newRow("fragment es") << u"es"_s << true << true;
        QTest::newRow("fragment ru") << u"ru"_s << true << true;
        QTest::newRow("fragment fa") << u"fa"_s << true << false;
        QTest::newRow("10 is no word of the list") << u"10"_s << false << false;
        QTest::newRow("first word counts") << u"  Yes please"_s << true << true;
        QTest::newRow("later word does not") << u"please yes"_s << false << false;
    }
    void words()
    {
        QFETCH(QString, text);
        QFETCH(bool, hasBool);
        QFETCH(bool, value);
        QCOMPARE(tz::hasBoolValue(text), hasBool);
        QCOMPARE(tz::boolValue(text), value);
    }

    void stringWithBool()
    {
        QCOMPARE(tz::stringWithBool(true), u"YES"_s);
        QCOMPARE(tz::stringWithBool(false), u"NO"_s);
    }
};

QTEST_GUILESS_MAIN(TestBoolValue)
#include "tst_TzNSStringBoolValue.moc"
