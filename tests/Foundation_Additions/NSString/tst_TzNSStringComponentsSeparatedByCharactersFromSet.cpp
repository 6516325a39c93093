#include "Foundation_Additions/NSString/TzNSStringByDeletingCharactersInSet.h"
#include "Foundation_Additions/NSString/TzNSStringComponentsSeparatedByCharactersFromSet.h"

#include <QTest>

using namespace Qt::StringLiterals;

using tz::CharacterSet;

class TestComponentsSeparatedByCharactersFromSet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void byRuns_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("components");

        QTest::newRow("empty") << u""_s << QStringList{};
        QTest::newRow("inner run") << u"a  b"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("members at both ends") << u" a "_s << QStringList{u""_s, u"a"_s, u""_s};
        QTest::newRow("members only") << u"  "_s << QStringList{u""_s, u""_s};
        QTest::newRow("no member") << u"abc"_s << QStringList{u"abc"_s};
        QTest::newRow("long runs") << u"   ab    cd   "_s << QStringList{u""_s, u"ab"_s, u"cd"_s, u""_s};
    }
    void byRuns()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, components);
        const QStringList result = tz::componentsSeparatedByCharactersFromSet(text, CharacterSet::fromCharacters(u" "));
        QCOMPARE(result, components);
        for (const QString& component : result)
            QVERIFY(!component.isNull());
    }

    void bySingleMembers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("components");

        QTest::newRow("empty") << u""_s << QStringList{};
        QTest::newRow("leading separator") << u",a"_s << QStringList{u""_s, u"a"_s};
        QTest::newRow("two separators") << u"a,,b"_s << QStringList{u"a"_s, u""_s, u"b"_s};
        QTest::newRow("trailing separator") << u"a,"_s << QStringList{u"a"_s};
        QTest::newRow("three trailing") << u"a,,,"_s << QStringList{u"a"_s, u""_s, u""_s};
        QTest::newRow("separators only") << u",,"_s << QStringList{u""_s, u""_s};
        QTest::newRow("no separator") << u"abc"_s << QStringList{u"abc"_s};
        QTest::newRow("any member of the set") << u"a;b,c"_s << QStringList{u"a"_s, u"b"_s, u"c"_s};
    }
    void bySingleMembers()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, components);
        QCOMPARE(tz::componentsSeparatedByACharacterFromSet(text, CharacterSet::fromCharacters(u",;")), components);
    }

    void deleting_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("withoutDigits");
        QTest::addColumn<QString>("onlyDigits");

        QTest::newRow("empty") << u""_s << u""_s << u""_s;
        QTest::newRow("mixed") << u"1a22b3"_s << u"ab"_s << u"1223"_s;
        QTest::newRow("no digits") << u"abc"_s << u"abc"_s << u""_s;
    }
    void deleting()
    {
        QFETCH(QString, text);
        QFETCH(QString, withoutDigits);
        QFETCH(QString, onlyDigits);
        const CharacterSet digits = CharacterSet::fromCharacters(u"0123456789");
        QCOMPARE(tz::stringByDeletingCharactersInSet(text, digits), withoutDigits);
        QCOMPARE(tz::stringByDeletingCharactersNotInSet(text, digits), onlyDigits);
    }
};

QTEST_GUILESS_MAIN(TestComponentsSeparatedByCharactersFromSet)
#include "tst_TzNSStringComponentsSeparatedByCharactersFromSet.moc"
