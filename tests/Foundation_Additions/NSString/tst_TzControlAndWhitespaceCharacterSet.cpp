#include "Foundation_Additions/NSString/TzControlAndWhitespaceCharacterSet.h"

#include "support/VectorPathsToggle.h"

#include <QTest>

#include <thread>
#include <vector>

using tz::CharacterSet;

class TestControlAndWhitespaceCharacterSet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Runs first: the slot starts empty and the first use fills it, once,
    // even when several threads get there together.
    void sharedSlotIsFilledOnFirstUse()
    {
        QVERIFY(!tz::sharedCandWCharacterSet().has_value());
        std::vector<CharacterSet> results(4);
        std::vector<std::thread> threads;
        for (CharacterSet& result : results)
            threads.emplace_back([&result] { result = tz::controlAndWhitespaceCharacterSet(); });
        for (std::thread& thread : threads)
            thread.join();
        for (const CharacterSet& result : results)
            QVERIFY(result == results.front());
        QVERIFY(results.front().contains(char16_t(0x09)));
        QVERIFY(tz::sharedCandWCharacterSet().has_value());
        QVERIFY(*tz::sharedCandWCharacterSet() == results.front());
    }

    void classes_data()
    {
        QTest::addColumn<char16_t>("unit");
        QTest::addColumn<bool>("whitespaceAndNewline");
        QTest::addColumn<bool>("whitespace");
        QTest::addColumn<bool>("control");
        QTest::addColumn<bool>("controlAndWhitespace");

        QTest::newRow("tab") << char16_t(0x09) << true << true << true << true;
        QTest::newRow("line feed") << char16_t(0x0A) << true << false << true << true;
        QTest::newRow("carriage return") << char16_t(0x0D) << true << false << true << true;
        QTest::newRow("space") << char16_t(0x20) << true << true << false << true;
        QTest::newRow("NEL") << char16_t(0x85) << true << false << true << true;
        QTest::newRow("no-break space") << char16_t(0xA0) << true << true << false << true;
        QTest::newRow("line separator") << char16_t(0x2028) << true << false << false << false;
        QTest::newRow("paragraph separator") << char16_t(0x2029) << true << false << false << false;
        QTest::newRow("zero width space (Cf)") << char16_t(0x200B) << false << false << true << true;
        QTest::newRow("byte order mark (Cf)") << char16_t(0xFEFF) << false << false << true << true;
        QTest::newRow("NUL") << char16_t(0x00) << false << false << true << true;
        QTest::newRow("letter") << char16_t(u'a') << false << false << false << false;
        QTest::newRow("ideographic space") << char16_t(0x3000) << true << true << false << true;
    }
    void classes()
    {
        QFETCH(char16_t, unit);
        QFETCH(bool, whitespaceAndNewline);
        QFETCH(bool, whitespace);
        QFETCH(bool, control);
        QFETCH(bool, controlAndWhitespace);
        QCOMPARE(CharacterSet::whitespaceAndNewlineCharacterSet().contains(unit), whitespaceAndNewline);
        QCOMPARE(CharacterSet::whitespaceCharacterSet().contains(unit), whitespace);
        QCOMPARE(CharacterSet::controlCharacterSet().contains(unit), control);
        QCOMPARE(tz::controlAndWhitespaceCharacterSet().contains(unit), controlAndWhitespace);
    }

    void complementAndUnion()
    {
        const CharacterSet ab = CharacterSet::fromCharacters(u"ab");
        const CharacterSet bc = CharacterSet::fromCharacters(u"bc");
        const CharacterSet both = ab.united(bc);
        const CharacterSet notAb = ab.inverted();
        for (char16_t u : {u'a', u'b', u'c'})
            QVERIFY(both.contains(u));
        QVERIFY(!both.contains(u'd'));
        QVERIFY(!notAb.contains(u'a') && !notAb.contains(u'b'));
        QVERIFY(notAb.contains(u'c') && notAb.contains(char16_t(0xFFFF)) && notAb.contains(char16_t(0)));
        QVERIFY(notAb.inverted() == ab);
        QVERIFY(!CharacterSet().contains(char16_t(0)));
    }

    void searches()
    {
        const CharacterSet digits = CharacterSet::fromCharacters(u"0123456789");
        const QString text = QStringLiteral("ab12cd");
        QCOMPARE(digits.indexOfMember(text), 2);
        QCOMPARE(digits.indexOfMember(text, 4), -1);
        QCOMPARE(digits.indexOfNonMember(text, 2), 4);
        QCOMPARE(digits.lastIndexOfNonMember(text, 4), 1);
        QCOMPARE(digits.lastIndexOfNonMember(QStringLiteral("12"), 2), -1);
    }

    void sharedSlotCanBeReplaced()
    {
        const CharacterSet original = tz::controlAndWhitespaceCharacterSet();
        const CharacterSet mine = CharacterSet::fromCharacters(u"x");
        tz::setSharedCandWCharacterSet(mine);
        QVERIFY(tz::controlAndWhitespaceCharacterSet() == mine);
        tz::setSharedCandWCharacterSet(std::nullopt);
        QVERIFY(!tz::sharedCandWCharacterSet().has_value());
        QVERIFY(tz::controlAndWhitespaceCharacterSet() == original);
    }

    // Sets of up to four members have a vectorised search: both paths find the same indexes.
    void bothPathsFindTheSameIndexes()
    {
        const CharacterSet few = CharacterSet::fromCharacters(u",;");
        for (const QByteArray& sample : samplesUpTo(120)) {
            QString text;
            for (const char c : sample)
                text.append(QChar(uchar(c) < 16 ? u',' : uchar(c) < 32 ? u';' : u'x'));
            for (qsizetype from = 0; from <= text.size(); from += 7) {
                const auto search = [&] {
                    return std::pair{few.indexOfMember(text, from), few.indexOfNonMember(text, from)};
                };
                QCOMPARE(withVectorPaths(true, search), withVectorPaths(false, search));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestControlAndWhitespaceCharacterSet)
#include "tst_TzControlAndWhitespaceCharacterSet.moc"
