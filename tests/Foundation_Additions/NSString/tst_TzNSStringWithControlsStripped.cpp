#include "Foundation_Additions/NSString/TzNSStringTabIndent.h"
#include "Foundation_Additions/NSString/TzNSStringVisibleControls.h"
#include "Foundation_Additions/NSString/TzNSStringWithControlsStripped.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The operations over control characters: stripping, showing, indentation.
class TestWithControlsStripped : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stripped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stripped");

        QTest::newRow("inner runs become one space") << u"  a\t\nb  "_s << u"a b"_s;
        QTest::newRow("controls only") << u"\t\n"_s << u""_s;
        QTest::newRow("one letter") << u"a"_s << u"a"_s;
        QTest::newRow("format controls too") << u"x\u200By\u0001\u0002z"_s << u"x y z"_s;
        QTest::newRow("line separator is no member") << u"x\u2028y"_s << u"x\u2028y"_s;
    }
    void stripped()
    {
        QFETCH(QString, text);
        QFETCH(QString, stripped);
        QCOMPARE(tz::stringWithControlsStripped(text), stripped);
    }

    void visible_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("visible");

        QTest::newRow("tab and line feed") << u"a\tb\nc"_s << u"a\u21E5b\u21B5c"_s;
        QTest::newRow("carriage return stays") << u"a\r\n"_s << u"a\r\u21B5"_s;
        QTest::newRow("nothing to show") << u"abc"_s << u"abc"_s;
    }
    void visible()
    {
        QFETCH(QString, text);
        QFETCH(QString, visible);
        QCOMPARE(tz::stringWithVisibleControls(text), visible);
    }

    void tabIndent_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("indent");

        QTest::newRow("two tabs and a space") << u"\t\t x"_s << qsizetype(2);
        QTest::newRow("tab after the word ignored") << u" \tx\ty"_s << qsizetype(1);
        QTest::newRow("no indent") << u"x"_s << qsizetype(0);
        QTest::newRow("empty") << u""_s << qsizetype(0);
        QTest::newRow("blank line") << u"\t\t\n"_s << qsizetype(2);
    }
    void tabIndent()
    {
        QFETCH(QString, text);
        QFETCH(qsizetype, indent);
        QCOMPARE(tz::tabIndent(text), indent);
    }
};

QTEST_GUILESS_MAIN(TestWithControlsStripped)
#include "tst_TzNSStringWithControlsStripped.moc"
