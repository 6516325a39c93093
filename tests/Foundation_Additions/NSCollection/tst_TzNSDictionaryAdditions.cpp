#include "Foundation/Number.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSCollection/TzNSDictionaryAdditions.h"
#include "support/StdErrCapture.h"
#include "support/TzMetaTypes.h"

#include <QRegularExpression>
#include <QTest>

using namespace tz;
using namespace Qt::StringLiterals;

class tst_TzNSDictionaryAdditions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void getters_data();
    void getters();
    void settingAbsentLogsOnceAndReturnsReceiver();
    void settingReplacesAndKeepsReceiver();
    void allowingNilRemovesSilently();
    void unchangedResultsAreTheReceiver();
    void removingAndAdding();
    void enumerated();
    void inverted();
};

namespace {

DictionaryPtr sample()
{
    return Dictionary::make({{u"u"_s, num(std::uint32_t(7))},
                             {u"neg"_s, num(std::int64_t(-5))},
                             {u"text"_s, str(u"  12.5 yes"_s)},
                             {u"yes"_s, str(u"YES"_s)},
                             {u"flag"_s, boolean(true)},
                             {u"dict"_s, Dictionary::make()}});
}

} // namespace

void tst_TzNSDictionaryAdditions::getters_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<uint>("unsignedValue");
    QTest::addColumn<qlonglong>("longLongValue");
    QTest::addColumn<bool>("boolValue");
    QTest::addColumn<double>("doubleValue");
    // Defaults: 99, -99, false, -1.5.
    QTest::newRow("unsigned number") << u"u"_s << 7u << 7LL << true << 7.0;
    QTest::newRow("negative number") << u"neg"_s << uint(-5) << -5LL << true << -5.0;
    QTest::newRow("text: no unsigned conversions") << u"text"_s << 99u << -99LL << true << 12.5;
    QTest::newRow("yes text") << u"yes"_s << 99u << -99LL << true << 0.0;
    QTest::newRow("boolean") << u"flag"_s << 1u << 1LL << true << 1.0;
    QTest::newRow("dictionary answers nothing") << u"dict"_s << 99u << -99LL << false << -1.5;
    QTest::newRow("missing key") << u"nope"_s << 99u << -99LL << false << -1.5;
}

void tst_TzNSDictionaryAdditions::getters()
{
    QFETCH(QString, key);
    const auto d = sample();
    QTEST(unsignedForKeyDefaultValue(d, str(key), 99), "unsignedValue");
    QTEST(qlonglong(longLongForKeyDefaultValue(d, str(key), -99)), "longLongValue");
    QTEST(boolForKeyDefaultValue(d, str(key), false), "boolValue");
    QTEST(doubleForKeyDefaultValue(d, str(key), -1.5), "doubleValue");
    const Id fallback = str(u"fallback"_s);
    QCOMPARE(objectForKeyDefaultObject(d, str(key), fallback) == fallback, !d->containsKey(str(key)));
}

void tst_TzNSDictionaryAdditions::settingAbsentLogsOnceAndReturnsReceiver()
{
    const auto d = sample();
    StdErrCapture capture;
    QCOMPARE(dictionaryBySettingObjectForKey(d, Id(), str(u"MODEL"_s)), d);
    QCOMPARE(capture.lineCount(), 1);
    const QString text = QString::fromUtf8(capture.text());
    static const QRegularExpression line(
        uR"(\] "TzNSDictionaryAdditions\.cpp",#\d+ \(-\[NSDictionary\(TzNSDictionaryAdditions\) dictionaryBySettingObject:forKey:\]\) Attempt to set object \(null\) for  key MODEL\n$)"_s);
    QVERIFY2(line.match(text).hasMatch(), qPrintable(text));

    QCOMPARE(dictionaryBySettingObjectForKey(d, str(u"v"_s), Id()), d);
    QVERIFY(capture.text().endsWith("Attempt to set object v for  key (null)\n"));
}

void tst_TzNSDictionaryAdditions::settingReplacesAndKeepsReceiver()
{
    const auto d = sample();
    const auto e = dictionaryBySettingObjectForKey(d, str(u"new"_s), str(u"u"_s));
    QCOMPARE(textOf(e->objectForKey(u"u"_s)), u"new"_s);
    QCOMPARE(e->count(), d->count());
    QCOMPARE(textOf(e->allKeys().first()), u"u"_s); // replaced in place
    QCOMPARE(unsignedForKeyDefaultValue(d, str(u"u"_s), 0), 7u);
    const auto f = dictionaryBySettingObjectForKey(d, num(1), str(u"added"_s));
    QCOMPARE(textOf(f->allKeys().last()), u"added"_s);
}

void tst_TzNSDictionaryAdditions::allowingNilRemovesSilently()
{
    const auto d = sample();
    StdErrCapture capture;
    const auto e = dictionaryBySettingObjectAllowingNilForKey(d, Id(), str(u"u"_s));
    QVERIFY(!e->containsKey(str(u"u"_s)));
    QCOMPARE(dictionaryBySettingObjectAllowingNilForKey(d, num(1), Id()), d);
    QCOMPARE(capture.text(), QByteArray());
}

void tst_TzNSDictionaryAdditions::unchangedResultsAreTheReceiver()
{
    const auto d = sample();
    QCOMPARE(dictionaryByRemovingObjectForKey(d, str(u"absent"_s)), d);
    QCOMPARE(dictionaryByRemovingObjectsForKeys(d, Array::make()), d);
    QCOMPARE(dictionaryByRemovingObjectsForKeys(d, nullptr), d);
    QCOMPARE(dictionaryByAddingEntriesFromDictionary(d, Dictionary::make()), d);
    QCOMPARE(dictionaryByAddingEntriesFromDictionary(d, nullptr), d);
    QCOMPARE(dictionaryBySettingObjectForKey(nullptr, num(1), str(u"k"_s)), DictionaryPtr());
}

void tst_TzNSDictionaryAdditions::removingAndAdding()
{
    const auto d = sample();
    const auto fewer = dictionaryByRemovingObjectsForKeys(d, Array::make({str(u"u"_s), str(u"flag"_s), str(u"zz"_s)}));
    QCOMPARE(fewer->count(), d->count() - 2);
    const auto other = Dictionary::make({{u"u"_s, str(u"winner"_s)}, {u"extra"_s, num(1)}});
    const auto merged = dictionaryByAddingEntriesFromDictionary(d, other);
    QCOMPARE(textOf(merged->objectForKey(u"u"_s)), u"winner"_s);
    QCOMPARE(merged->count(), d->count() + 1);
    const auto paired = dictionaryBySettingObjectsForKeys(Dictionary::make(), Array::make({num(1), num(2)}),
                                                          Array::make({str(u"a"_s), str(u"b"_s)}));
    QVERIFY(isEqual(paired, Dictionary::make({{u"a"_s, num(1)}, {u"b"_s, num(2)}})));
}

void tst_TzNSDictionaryAdditions::enumerated()
{
    const auto d = enumeratedDictionaryWithObjects(Array::make({str(u"x"_s), str(u"y"_s), str(u"z"_s)}));
    QVERIFY(isEqual(d, Dictionary::make({{u"0"_s, str(u"x"_s)}, {u"1"_s, str(u"y"_s)}, {u"2"_s, str(u"z"_s)}})));
    QCOMPARE(enumeratedDictionaryWithObjects(nullptr)->count(), 0);
    QCOMPARE(enumeratedDictionaryWithObjects(Array::make())->count(), 0);
}

void tst_TzNSDictionaryAdditions::inverted()
{
    const auto d = Dictionary::make({{u"a"_s, num(1)}, {u"b"_s, num(2)}, {u"c"_s, num(1)}});
    const auto r = reversedDictionary(d);
    QCOMPARE(r->count(), 2);
    QCOMPARE(textOf(r->objectForKey(num(2))), u"b"_s);
    // "a" and "c" share 1: the last of them wins.
    QCOMPARE(textOf(r->objectForKey(num(1))), u"c"_s);
    QVERIFY(isEqual(tzInvertedDictionary(d), r));
}

QTEST_APPLESS_MAIN(tst_TzNSDictionaryAdditions)
#include "tst_TzNSDictionaryAdditions.moc"
