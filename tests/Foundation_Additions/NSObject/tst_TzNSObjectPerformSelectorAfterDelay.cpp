#include "Foundation/String.h"
#include "Foundation_Additions/NSObject/TzNSObjectPerformSelectorAfterDelay.h"
#include "support/StdErrCapture.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QThread>

using namespace tz;
using namespace Qt::StringLiterals;

// Records the messages it receives, in order.
class Target : public QObject
{
    Q_OBJECT
public:
    QStringList received;
    Q_INVOKABLE void take(const tz::Id& object) { received.append(u"take "_s + describe(object)); }
    Q_INVOKABLE void ping() { received.append(u"ping"_s); }
    Q_INVOKABLE void count(int) {}
    // Ends itself from inside the message.
    Q_INVOKABLE void vanish() { delete this; }
};

class tst_TzNSObjectPerformSelectorAfterDelay : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void deliversAfterTheDelayInOrder();
    void cancelledMessagesNeverArrive();
    void refusals_data();
    void refusals();
    void targetMayEndItselfOrGoFirst();
};

void tst_TzNSObjectPerformSelectorAfterDelay::deliversAfterTheDelayInOrder()
{
    Target target;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(performSelectorWithObjectAfterDelay(&target, registerSelector(u"take:"_s), str(u"late"_s), 0.15));
    QVERIFY(performSelectorWithObjectAfterDelay(&target, registerSelector(u"ping"_s), {}, 0));
    QVERIFY(performSelectorWithObjectAfterDelay(&target, registerSelector(u"take:"_s), {}, -3));
    // Nothing is sent before the event loop runs.
    QVERIFY(target.received.isEmpty());
    QTRY_COMPARE(target.received.size(), 3);
    QVERIFY(clock.elapsed() >= 150);
    QCOMPARE(target.received, (QStringList{u"ping"_s, u"take (null)"_s, u"take late"_s}));
}

void tst_TzNSObjectPerformSelectorAfterDelay::cancelledMessagesNeverArrive()
{
    Target cancelled;
    Target other;
    QVERIFY(performSelectorWithObjectAfterDelay(&cancelled, registerSelector(u"ping"_s), {}, 0));
    QVERIFY(performSelectorWithObjectAfterDelay(&cancelled, registerSelector(u"take:"_s), str(u"x"_s), 0.05));
    QVERIFY(performSelectorWithObjectAfterDelay(&other, registerSelector(u"take:"_s), str(u"y"_s), 0.05));
    cancelPreviousPerformRequestsWithTarget(&cancelled);
    QTRY_COMPARE(other.received, QStringList{u"take y"_s});
    QTest::qWait(100);
    QVERIFY(cancelled.received.isEmpty());
    // A message sent after the cancel arrives.
    QVERIFY(performSelectorWithObjectAfterDelay(&cancelled, registerSelector(u"ping"_s), {}, 0));
    QTRY_COMPARE(cancelled.received, QStringList{u"ping"_s});
    cancelPreviousPerformRequestsWithTarget(nullptr);
}

void tst_TzNSObjectPerformSelectorAfterDelay::refusals_data()
{
    QTest::addColumn<QString>("selector");
    QTest::addColumn<bool>("otherThread");
    QTest::addColumn<bool>("logs");
    QTest::newRow("no selector") << QString() << false << false;
    QTest::newRow("no such method") << u"missing:"_s << false << true;
    QTest::newRow("argument of another type") << u"count:"_s << false << true;
    QTest::newRow("argument the method does not take") << u"ping:"_s << false << true;
    QTest::newRow("target in another thread") << u"ping"_s << true << false;
}

void tst_TzNSObjectPerformSelectorAfterDelay::refusals()
{
    QFETCH(QString, selector);
    QFETCH(bool, otherThread);
    QFETCH(bool, logs);
    Target target;
    QThread thread;
    if (otherThread)
        target.moveToThread(&thread);
    StdErrCapture capture;
    const Selector sent = selector.isNull() ? Selector() : registerSelector(selector);
    QVERIFY(!performSelectorWithObjectAfterDelay(&target, sent, {}, 0));
    QCOMPARE(capture.text().contains("BAD METHOD SIGNATURE FOR [Target " + selector.toUtf8() + ']'), logs);
    QTest::qWait(20);
    QVERIFY(target.received.isEmpty());
    QVERIFY(!performSelectorWithObjectAfterDelay(nullptr, registerSelector(u"ping"_s), {}, 0));
}

void tst_TzNSObjectPerformSelectorAfterDelay::targetMayEndItselfOrGoFirst()
{
    QPointer<Target> vanishing = new Target;
    QVERIFY(performSelectorWithObjectAfterDelay(vanishing, registerSelector(u"vanish"_s), {}, 0));
    QVERIFY(performSelectorWithObjectAfterDelay(vanishing, registerSelector(u"ping"_s), {}, 0.02));
    QTRY_VERIFY(vanishing.isNull());

    auto gone = std::make_unique<Target>();
    QVERIFY(performSelectorWithObjectAfterDelay(gone.get(), registerSelector(u"ping"_s), {}, 0.01));
    gone.reset();
    QTest::qWait(50); // the message went with its target: nothing to deliver, nothing to crash
}

QTEST_GUILESS_MAIN(tst_TzNSObjectPerformSelectorAfterDelay)
#include "tst_TzNSObjectPerformSelectorAfterDelay.moc"
