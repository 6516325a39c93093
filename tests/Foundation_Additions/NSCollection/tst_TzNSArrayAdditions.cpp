#include "Foundation/Null.h"
#include "Foundation/Number.h"
#include "Foundation/QObjectValue.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSCollection/TzNSArrayAdditions.h"
#include "support/StdErrCapture.h"

#include <QRegularExpression>
#include <QTest>

using namespace tz;
using namespace Qt::StringLiterals;

namespace {

// An array of one-letter strings: letters(u"abc").
ArrayPtr letters(const QString& text)
{
    QList<Id> objects;
    for (const QChar c : text)
        objects.append(str(QString(c)));
    return Array::make(objects);
}

// The array as its elements' texts run together, "-" standing for the null placeholder.
QString lettersOf(const ArrayPtr& array)
{
    if (!array)
        return u"nil"_s;
    QString text;
    for (const Id& o : array->objects())
        text += o == Null::null() ? u"-"_s : textOf(o);
    return text;
}

// The function name and message of every log line captured.
QStringList logLines(StdErrCapture& capture)
{
    static const QRegularExpression line(uR"re("TzNSArrayAdditions\.cpp",#\d+ \((.*?\])\) (.*)$)re"_s,
                                         QRegularExpression::MultilineOption);
    QStringList found;
    auto it = line.globalMatch(QString::fromUtf8(capture.text()));
    while (it.hasNext()) {
        const auto m = it.next();
        found.append(m.captured(1) + u' ' + m.captured(2));
    }
    return found;
}

} // namespace

// Elements that answer predicates through the meta-object system.
class Item : public QObject
{
    Q_OBJECT
public:
    explicit Item(int value) : _value(value) {}
    Q_INVOKABLE bool isEven() const { return _value % 2 == 0; }
    Q_INVOKABLE bool isAbove(const tz::Id& limit) const { return _value > limit->intValue().value_or(0); }
    Q_INVOKABLE tz::Id notAPredicate() const { return num(_value); }
    Q_INVOKABLE int wrongResult() const { return 1; }

private:
    int _value;
};

class tst_TzNSArrayAdditions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void ranges_data();
    void ranges();
    void valueStyleResults();
    void identityAndEquality();
    void unchangedResultsAreTheReceiver();
    void outOfContractCallsLogAndKeepTheReceiver_data();
    void outOfContractCallsLogAndKeepTheReceiver();
    void moving();
    void predicates();
    void badPredicateSignatures();
};

void tst_TzNSArrayAdditions::ranges_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("logLines");
    QTest::newRow("0") << 0 << u"abcd"_s << u""_s << 0;
    QTest::newRow("1") << 1 << u"bcd"_s << u""_s << 0;
    QTest::newRow("3: to gives the first two") << 3 << u"d"_s << u"ab"_s << 0;
    QTest::newRow("4 = count") << 4 << u""_s << u"abc"_s << 0;
    QTest::newRow("5: to logs") << 5 << u""_s << u""_s << 2;
    QTest::newRow("-1: both log") << -1 << u""_s << u""_s << 2;
}

void tst_TzNSArrayAdditions::ranges()
{
    QFETCH(int, index);
    const auto a = letters(u"abcd"_s);
    StdErrCapture capture;
    QTEST(lettersOf(subarrayFromIndex(a, index)), "from");
    QTEST(lettersOf(subarrayToIndex(a, index)), "to");
    const QStringList lines = logLines(capture);
    QTEST(int(lines.size()), "logLines");
    for (const QString& line : lines)
        QVERIFY2(line.endsWith(u"Index:] illegal index value: "_s + QString::number(index)), qPrintable(line));
    if (index == -1) {
        QCOMPARE(lines.at(0), u"-[NSArray(TzNSArrayAdditions) rangeFromIndex:] illegal index value: -1"_s);
        QCOMPARE(lines.at(1), u"-[NSArray(TzNSArrayAdditions) rangeToIndex:] illegal index value: -1"_s);
    }
    QCOMPARE(rangeFromIndex(a, 4), makeRange(0, 0));
    QCOMPARE(rangeFromIndex(a, 1), makeRange(1, 3));
    QCOMPARE(rangeToIndex(a, 4), makeRange(0, 3));
}

void tst_TzNSArrayAdditions::valueStyleResults()
{
    const auto a = letters(u"abcd"_s);
    const Id b = a->objectAtIndex(1);
    const Id null = Null::null();
    const auto withNulls = Array::make({null, str(u"x"_s), null});
    struct Case
    {
        const char* name;
        ArrayPtr result;
        QString expected;
    };
    const Case cases[] = {
        {"prepend", arrayByPrependingObject(a, str(u"z"_s)), u"zabcd"_s},
        {"remove equal", arrayByRemovingObject(letters(u"abab"_s), str(u"a"_s)), u"bb"_s},
        {"remove identical", arrayByRemovingObjectIdenticalTo(a, b), u"acd"_s},
        {"remove objects in array", arrayByRemovingObjectsInArray(letters(u"abcabc"_s), letters(u"cxa"_s)), u"bb"_s},
        {"remove nulls", arrayByRemovingNullObjects(withNulls), u"x"_s},
        {"remove last", arrayByRemovingLastObject(a), u"abc"_s},
        {"remove last of one", arrayByRemovingLastObject(letters(u"a"_s)), u""_s},
        {"remove zeroth", arrayByRemovingZerothObject(a), u"bcd"_s},
        {"remove zeroth of one", arrayByRemovingZerothObject(letters(u"a"_s)), u""_s},
        {"truncate", arrayTruncatedTo(a, 2), u"ab"_s},
        {"truncate to 0", arrayTruncatedTo(a, 0), u""_s},
        {"insert at 0", arrayByInsertingObjectAtIndex(a, str(u"z"_s), 0), u"zabcd"_s},
        {"insert at count", arrayByInsertingObjectAtIndex(a, str(u"z"_s), 4), u"abcdz"_s},
        {"insert array at 2", arrayByInsertingObjectsFromArrayAtIndex(a, letters(u"xy"_s), 2), u"abxycd"_s},
        {"insert array at -5", arrayByInsertingObjectsFromArrayAtIndex(a, letters(u"xy"_s), -5), u"xyabcd"_s},
        {"insert array at 99", arrayByInsertingObjectsFromArrayAtIndex(a, letters(u"xy"_s), 99), u"abcdxy"_s},
        {"replace range", arrayByReplacingObjectsInRangeWithObjectsFromArray(a, makeRange(1, 2), letters(u"xyz"_s)),
         u"axyzd"_s},
        {"replace empty range at end",
         arrayByReplacingObjectsInRangeWithObjectsFromArray(a, makeRange(4, 0), letters(u"x"_s)), u"abcdx"_s},
        {"replace range by nothing", arrayByReplacingObjectsInRangeWithObjectsFromArray(a, makeRange(0, 3), nullptr),
         u"d"_s},
        {"replace at index", arrayByReplacingObjectAtIndexWithObject(a, 3, str(u"z"_s)), u"abcz"_s},
        {"replace identical", arrayByReplacingObjectIdenticalToWithObject(a, b, str(u"z"_s)), u"azcd"_s},
        {"index set skips indexes past the end", subarrayWithIndexSet(letters(u"abc"_s), {1, 7}), u"b"_s},
        {"index set ascending", subarrayWithIndexSet(a, {3, -1, 0}), u"ad"_s},
    };
    for (const Case& c : cases)
        QVERIFY2(lettersOf(c.result) == c.expected,
                 qPrintable(QString::fromUtf8(c.name) + u": "_s + lettersOf(c.result)));
    QCOMPARE(lettersOf(a), u"abcd"_s); // untouched
    QCOMPARE(lettersOf(Array::make(objectEnumeratorForRange(a, makeRange(2, 99)))), u"cd"_s);
    QVERIFY(objectEnumeratorForRange(a, makeRange(9, 1)).isEmpty());
}

void tst_TzNSArrayAdditions::identityAndEquality()
{
    const Id a = str(u"a"_s);
    const Id otherA = str(u"a"_s); // equal, not identical
    const Id b = str(u"b"_s);
    const auto aba = Array::make({a, b, a});
    QCOMPARE(lettersOf(arrayByRemovingObjectAtIndex(aba, 0)), u"b"_s);
    QCOMPARE(lettersOf(arrayByRemovingObjectAtIndex(Array::make({a, b, otherA}), 0)), u"ba"_s);
    QVERIFY(containsObjectIdenticalTo(aba, a));
    QVERIFY(!containsObjectIdenticalTo(aba, otherA));
    QCOMPARE(arrayByRemovingObjectIdenticalTo(aba, otherA), aba);
    QCOMPARE(lettersOf(arrayByRemovingObject(aba, otherA)), u"b"_s);

    // An object listed twice replaces two occurrences; one absent from the receiver replaces none.
    const auto nulled = arrayByReplacingObjectsIdenticalToObjectsFromArrayWithNSNull(Array::make({a, b, a, a}),
                                                                                     Array::make({a, otherA, a, b}));
    QCOMPARE(lettersOf(nulled), u"---a"_s);
    QVERIFY(isGoodObjectIndex(aba, 0) && isGoodObjectIndex(aba, 2));
    QVERIFY(!isGoodObjectIndex(aba, 3) && !isGoodObjectIndex(aba, -1) && !isGoodObjectIndex(nullptr, 0));
}

void tst_TzNSArrayAdditions::unchangedResultsAreTheReceiver()
{
    const auto a = letters(u"abcd"_s);
    const auto empty = Array::make();
    QCOMPARE(arrayByRemovingObject(a, str(u"z"_s)), a);
    QCOMPARE(arrayByRemovingObjectsInArray(a, letters(u"xyz"_s)), a);
    QCOMPARE(arrayByRemovingObjectsInArray(a, empty), a);
    QCOMPARE(arrayByRemovingNullObjects(a), a);
    QCOMPARE(arrayByRemovingLastObject(empty), empty);
    QCOMPARE(arrayByRemovingZerothObject(empty), empty);
    QCOMPARE(arrayTruncatedTo(a, 4), a);
    QCOMPARE(arrayByInsertingObjectsFromArrayAtIndex(a, empty, 1), a);
    QCOMPARE(arrayByReplacingObjectIdenticalToWithObject(a, str(u"a"_s), str(u"z"_s)), a);
    QCOMPARE(arrayByMovingObjectToIndex(a, str(u"z"_s), 0), a);
    QCOMPARE(arrayByPrependingObject(a, Id()), a);
    QCOMPARE(arrayByRemovingObject(nullptr, str(u"a"_s)), ArrayPtr());
}

void tst_TzNSArrayAdditions::outOfContractCallsLogAndKeepTheReceiver_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<QString>("line");
    QTest::newRow("remove at bad index")
        << 0 << u"-[NSArray(TzNSArrayAdditions) arrayByRemovingObjectAtIndex:]  -- index 4 (0x4) out of bounds 4"_s;
    QTest::newRow("replace at -1")
        << 1
        << u"-[NSArray(TzNSArrayAdditions) arrayByReplacingObjectAtIndex:withObject:]  -- index -1 (0xffffffff) out of bounds 4"_s;
    QTest::newRow("insert past the end")
        << 2 << u"-[NSArray(TzNSArrayAdditions) arrayByInsertingObject:atIndex:]  -- index 5 (0x5) out of bounds 4"_s;
    QTest::newRow("move past the end")
        << 3 << u"-[NSArray(TzNSArrayAdditions) arrayByMovingObject:toIndex:]  -- index 5 (0x5) out of bounds 4"_s;
    QTest::newRow("move identical to -1")
        << 4
        << u"-[NSArray(TzNSArrayAdditions) arrayByMovingObjectIdenticalTo:toIndex:]  -- index -1 (0xffffffff) out of bounds 4"_s;
    QTest::newRow("range past the end")
        << 5
        << u"-[NSArray(TzNSArrayAdditions) arrayByReplacingObjectsInRange:withObjectsFromArray:]  -- range {3, 2} out of bounds 4"_s;
    QTest::newRow("range whose end overflows")
        << 6
        << u"-[NSArray(TzNSArrayAdditions) arrayByReplacingObjectsInRange:withObjectsFromArray:]  -- range {1, 4294967295} out of bounds 4"_s;
    QTest::newRow("negative length") << 7
                                     << u"-[NSArray(TzNSArrayAdditions) arrayTruncatedTo:] illegal length value: -2"_s;
}

void tst_TzNSArrayAdditions::outOfContractCallsLogAndKeepTheReceiver()
{
    QFETCH(int, operation);
    const auto a = letters(u"abcd"_s);
    const Id z = str(u"z"_s);
    StdErrCapture capture;
    ArrayPtr result;
    switch (operation) {
    case 0: result = arrayByRemovingObjectAtIndex(a, 4); break;
    case 1: result = arrayByReplacingObjectAtIndexWithObject(a, -1, z); break;
    case 2: result = arrayByInsertingObjectAtIndex(a, z, 5); break;
    case 3: result = arrayByMovingObjectToIndex(a, str(u"b"_s), 5); break;
    case 4: result = arrayByMovingObjectIdenticalToToIndex(a, a->objectAtIndex(0), -1); break;
    case 5: result = arrayByReplacingObjectsInRangeWithObjectsFromArray(a, makeRange(3, 2), letters(u"x"_s)); break;
    case 6: result = arrayByReplacingObjectsInRangeWithObjectsFromArray(a, makeRange(1, 0xFFFFFFFF), nullptr); break;
    case 7: result = arrayTruncatedTo(a, -2); break;
    }
    QCOMPARE(result, a);
    QTEST(logLines(capture).join(u'\n'), "line");
}

void tst_TzNSArrayAdditions::moving()
{
    const auto a = letters(u"abcd"_s);
    QCOMPARE(lettersOf(arrayByMovingObjectToIndex(a, str(u"a"_s), 3)), u"bcad"_s);
    QCOMPARE(lettersOf(arrayByMovingObjectToIndex(a, str(u"a"_s), 4)), u"bcda"_s);
    QCOMPARE(lettersOf(arrayByMovingObjectToIndex(a, str(u"d"_s), 0)), u"dabc"_s);
    QCOMPARE(lettersOf(arrayByMovingObjectToIndex(a, str(u"b"_s), 1)), u"abcd"_s);
    // By equality the first equal element moves; by identity the very object.
    const Id x1 = str(u"x"_s);
    const Id x2 = str(u"x"_s);
    const auto xs = Array::make({x1, str(u"y"_s), x2});
    QCOMPARE(arrayByMovingObjectToIndex(xs, x2, 3)->objectAtIndex(2), x1);
    QCOMPARE(arrayByMovingObjectIdenticalToToIndex(xs, x2, 0)->objectAtIndex(0), x2);
    QCOMPARE(arrayByMovingObjectIdenticalToToIndex(xs, str(u"x"_s), 0), xs);
}

void tst_TzNSArrayAdditions::predicates()
{
    Item one(1), two(2), three(3), four(4);
    const auto items = Array::make(
        {QObjectValue::make(&one), QObjectValue::make(&two), QObjectValue::make(&three), QObjectValue::make(&four)});
    const Selector isEven = registerSelector(u"isEven"_s);
    const Selector isAbove = registerSelector(u"isAbove:"_s);
    StdErrCapture capture;
    const auto evens = objectsReturningYesForSelector(items, isEven);
    QCOMPARE(evens->count(), 2);
    QCOMPARE(as<QObjectValue>(evens->objectAtIndex(0))->object(), &two);
    QCOMPARE(as<QObjectValue>(evens->objectAtIndex(1))->object(), &four);
    QVERIFY(containsObjectReturningYesForSelector(items, isEven));
    QVERIFY(!containsObjectReturningYesForSelector(Array::make({QObjectValue::make(&one)}), isEven));
    QCOMPARE(objectsReturningYesForSelectorObject(items, isAbove, num(2))->count(), 2);
    QVERIFY(containsObjectReturningYesForSelectorObject(items, isAbove, num(3)));
    QVERIFY(!containsObjectReturningYesForSelectorObject(items, isAbove, num(4)));
    QVERIFY(returnsYesForSelector(&two, isEven));
    QVERIFY(!returnsYesForSelector(static_cast<QObject*>(nullptr), isEven));
    QCOMPARE(capture.text(), QByteArray());
}

void tst_TzNSArrayAdditions::badPredicateSignatures()
{
    Item one(1), two(2);
    const auto items = Array::make({QObjectValue::make(&one), QObjectValue::make(&two)});
    StdErrCapture capture;
    // A method returning an object: one line per element, nothing selected.
    QCOMPARE(objectsReturningYesForSelector(items, registerSelector(u"notAPredicate"_s))->count(), 0);
    QCOMPARE(capture.lineCount(), 2);
    QVERIFY2(capture.text().contains("\"TzNSArrayAdditions.cpp\",#"), capture.text().constData());
    QVERIFY(capture.text().contains(
        "(-[NSObject(returnsYesForSelector) returnsYesForSelector:]) BAD METHOD SIGNATURE FOR [Item notAPredicate]\n"));
    // A wrong result type, a missing method, a wrong argument count, and a kind that is no QObject.
    QVERIFY(!returnsYesForSelector(&one, registerSelector(u"wrongResult"_s)));
    QVERIFY(!returnsYesForSelector(&one, registerSelector(u"noSuchPredicate"_s)));
    QVERIFY(!returnsYesForSelectorObject(&one, registerSelector(u"isEven:"_s), num(1)));
    QVERIFY(!returnsYesForSelector(str(u"text"_s), registerSelector(u"isEven"_s)));
    QCOMPARE(capture.lineCount(), 6);
    QVERIFY(capture.text().contains("(-[NSObject(returnsYesForSelector) returnsYesForSelector:object:]) BAD METHOD "
                                    "SIGNATURE FOR [Item isEven:]\n"));
    QVERIFY(capture.text().endsWith("BAD METHOD SIGNATURE FOR [NSString isEven]\n"));
    // An element whose QObject is gone answers like any other kind.
    ArrayPtr orphans;
    {
        Item gone(2);
        orphans = Array::make({QObjectValue::make(&gone)});
    }
    QCOMPARE(objectsReturningYesForSelector(orphans, registerSelector(u"isEven"_s))->count(), 0);
    QVERIFY(capture.text().endsWith("BAD METHOD SIGNATURE FOR [nil isEven]\n"));
}

QTEST_APPLESS_MAIN(tst_TzNSArrayAdditions)
#include "tst_TzNSArrayAdditions.moc"
