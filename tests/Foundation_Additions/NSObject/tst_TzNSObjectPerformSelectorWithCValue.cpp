#include "Foundation/Number.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSObject/TzNSObjectPerformSelectorWithCValue.h"
#include "support/StdErrCapture.h"

#include <QTest>

using namespace tz;
using namespace Qt::StringLiterals;

// Records what it was sent and answers plain values.
class Receiver : public QObject
{
    Q_OBJECT
public:
    QString last;
    Q_INVOKABLE tz::Id scale(double v) { return record(u"double %1"_s.arg(v)); }
    Q_INVOKABLE tz::Id count(int v) { return record(u"int %1"_s.arg(v)); }
    Q_INVOKABLE tz::Id setFlag(bool v) { return record(v ? u"bool yes"_s : u"bool no"_s); }
    Q_INVOKABLE tz::Id moveTo(QPointF p) { return record(u"point %1 %2"_s.arg(p.x()).arg(p.y())); }
    Q_INVOKABLE tz::Id frame(QRectF r)
    {
        return record(u"rect %1 %2 %3 %4"_s.arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()));
    }
    Q_INVOKABLE tz::Id select(tz::Range r) { return record(u"range %1 %2"_s.arg(r.location).arg(r.length)); }
    Q_INVOKABLE void noResult(int v) { last = u"void %1"_s.arg(v); }

    Q_INVOKABLE double ratio() const { return 2.5; }
    Q_INVOKABLE float half() const { return 0.5f; }
    Q_INVOKABLE int answer() const { return 42; }
    Q_INVOKABLE bool ready() const { return true; }
    Q_INVOKABLE QPointF origin() const { return {1, 2}; }
    Q_INVOKABLE QRectF bounds() const { return {1, 2, 3, 4}; }
    Q_INVOKABLE tz::Range span() const { return {5, 6}; }
    Q_INVOKABLE int lengthOf(const tz::Id& text) const { return int(textOf(text).size()); }

private:
    Id record(const QString& what)
    {
        last = what;
        return str(what);
    }
};

class tst_TzNSObjectPerformSelectorWithCValue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sendingValues();
    void readingValues();
    void absentSelectorGivesDefaults();
    void shapeMismatchLogsAndGivesDefaults();
};

namespace {

Selector sel(const QString& name)
{
    return registerSelector(name);
}

} // namespace

void tst_TzNSObjectPerformSelectorWithCValue::sendingValues()
{
    Receiver r;
    QCOMPARE(textOf(performSelectorWithDouble(&r, sel(u"scale:"_s), 1.25)), u"double 1.25"_s);
    QCOMPARE(textOf(performSelectorWithFloat(&r, sel(u"scale:"_s), 0.75f)), u"double 0.75"_s); // widened
    QCOMPARE(textOf(performSelectorWithInt(&r, sel(u"count:"_s), -7)), u"int -7"_s);
    QCOMPARE(textOf(performSelectorWithBool(&r, sel(u"setFlag:"_s), true)), u"bool yes"_s);
    QCOMPARE(textOf(performSelectorWithPoint(&r, sel(u"moveTo:"_s), {3, 4})), u"point 3 4"_s);
    QCOMPARE(textOf(performSelectorWithRect(&r, sel(u"frame:"_s), {1, 2, 30, 40})), u"rect 1 2 30 40"_s);
    QCOMPARE(textOf(performSelectorWithRange(&r, sel(u"select:"_s), {7, 8})), u"range 7 8"_s);
    QCOMPARE(performSelectorWithInt(&r, sel(u"noResult:"_s), 9), Id());
    QCOMPARE(r.last, u"void 9"_s);
}

void tst_TzNSObjectPerformSelectorWithCValue::readingValues()
{
    Receiver r;
    StdErrCapture capture;
    QCOMPARE(doublePerformSelector(&r, sel(u"ratio"_s)), 2.5);
    QCOMPARE(floatPerformSelector(&r, sel(u"half"_s)), 0.5f);
    QCOMPARE(intPerformSelector(&r, sel(u"answer"_s)), 42);
    QCOMPARE(boolPerformSelector(&r, sel(u"ready"_s)), true);
    QCOMPARE(pointPerformSelector(&r, sel(u"origin"_s)), QPointF(1, 2));
    QCOMPARE(rectPerformSelector(&r, sel(u"bounds"_s)), QRectF(1, 2, 3, 4));
    QCOMPARE(rangePerformSelector(&r, sel(u"span"_s)), makeRange(5, 6));
    QCOMPARE(intPerformSelectorWithObject(&r, sel(u"lengthOf:"_s), str(u"four"_s)), 4);
    QCOMPARE(capture.text(), QByteArray());
}

void tst_TzNSObjectPerformSelectorWithCValue::absentSelectorGivesDefaults()
{
    Receiver r;
    StdErrCapture capture;
    QCOMPARE(performSelectorWithDouble(&r, Selector(), 1.0), Id());
    QCOMPARE(performSelectorWithRect(&r, Selector(), {1, 1, 1, 1}), Id());
    QCOMPARE(doublePerformSelector(&r, Selector()), 0.0);
    QCOMPARE(intPerformSelector(&r, Selector()), 0);
    QCOMPARE(boolPerformSelector(&r, Selector()), false);
    QCOMPARE(pointPerformSelector(&r, Selector()), QPointF());
    QCOMPARE(rectPerformSelector(&r, Selector()), QRectF());
    QCOMPARE(rangePerformSelector(&r, Selector()), makeRange(0, 0));
    QCOMPARE(intPerformSelectorWithObject(&r, Selector(), str(u"x"_s)), 0);
    QCOMPARE(r.last, QString());
    QCOMPARE(capture.text(), QByteArray());
}

void tst_TzNSObjectPerformSelectorWithCValue::shapeMismatchLogsAndGivesDefaults()
{
    Receiver r;
    StdErrCapture capture;
    QCOMPARE(doublePerformSelector(&r, sel(u"answer"_s)), 0.0); // an int result
    QCOMPARE(rangePerformSelector(&r, sel(u"bounds"_s)), makeRange(0, 0));
    QCOMPARE(performSelectorWithInt(&r, sel(u"scale:"_s), 1), Id()); // takes a double
    QCOMPARE(intPerformSelector(&r, sel(u"noSuchGetter"_s)), 0);
    QCOMPARE(intPerformSelector(nullptr, sel(u"answer"_s)), 0);
    QCOMPARE(r.last, QString());
    QCOMPARE(capture.lineCount(), 5);
    const QByteArray text = capture.text();
    QVERIFY2(text.contains("(-[NSObject(TzNSObjectPerformSelectorWithCValue) doublePerformSelector:]) "
                           "BAD METHOD SIGNATURE FOR [Receiver answer]\n"),
             text.constData());
    QVERIFY(text.contains("(-[NSObject(TzNSObjectPerformSelectorWithCValue) performSelector:withInt:]) "
                          "BAD METHOD SIGNATURE FOR [Receiver scale:]\n"));
    QVERIFY(text.endsWith("BAD METHOD SIGNATURE FOR [nil answer]\n"));
}

QTEST_APPLESS_MAIN(tst_TzNSObjectPerformSelectorWithCValue)
#include "tst_TzNSObjectPerformSelectorWithCValue.moc"
