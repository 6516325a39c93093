#include "Foundation_Additions/NSString/TzAppendableStringFromMethodName.h"
#include "Foundation_Additions/NSString/TzNSStringContains.h"
#include "Foundation_Additions/NSString/TzNSStringIsNotEmpty.h"
#include "Foundation_Additions/NSString/TzNSStringWithUnichar.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Substring tests and the one-line text helpers.
class TestContains : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void contains_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<bool>("ignoringCase");
        QTest::addColumn<bool>("precisely");

        QTest::newRow("same case") << u"DRDevice"_s << u"Device"_s << true << true;
        QTest::newRow("other case") << u"DRDevice"_s << u"device"_s << true << false;
        QTest::newRow("absent") << u"NSString"_s << u"Array"_s << false << false;
        QTest::newRow("empty needle") << u"abc"_s << u""_s << false << false;
        QTest::newRow("empty text") << u""_s << u"a"_s << false << false;
    }
    void contains()
    {
        QFETCH(QString, text);
        QFETCH(QString, needle);
        QFETCH(bool, ignoringCase);
        QFETCH(bool, precisely);
        QCOMPARE(tz::contains(text, needle), ignoringCase);
        QCOMPARE(tz::containsPrecisely(text, needle), precisely);
    }

    void methodName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("appendable");

        QTest::newRow("save:") << u"save:"_s << u"Save:"_s;
        QTest::newRow("already upper") << u"Copy:"_s << u"Copy:"_s;
        QTest::newRow("empty") << u""_s << u""_s;
        QTest::newRow("only the first") << u"aB"_s << u"AB"_s;
    }
    void methodName()
    {
        QFETCH(QString, name);
        QFETCH(QString, appendable);
        QCOMPARE(tz::appendableStringFromMethodName(name), appendable);
    }

    void oneCharacterStrings()
    {
        QCOMPARE(tz::stringWithUnichar(0).size(), 1);
        QCOMPARE(tz::stringWithUnichar(0).at(0).unicode(), char16_t(0));
        QCOMPARE(tz::attachmentString(), u"\uFFFC"_s);
        QVERIFY(tz::isNotEmpty(u" "_s));
        QVERIFY(!tz::isNotEmpty(u""_s));
        QVERIFY(!tz::isNotEmpty(QString()));
    }
};

QTEST_GUILESS_MAIN(TestContains)
#include "tst_TzNSStringContains.moc"
