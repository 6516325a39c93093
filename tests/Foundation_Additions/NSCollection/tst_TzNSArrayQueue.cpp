#include "Foundation/String.h"
#include "Foundation_Additions/NSCollection/TzNSArrayQueue.h"
#include "support/StdErrCapture.h"

#include <QTest>

using namespace tz;
using namespace Qt::StringLiterals;

class tst_TzNSArrayQueue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void queuesKeepTheirOrder();
    void emptyQueueAnswersNilWithALogLine();
    void stack();
};

namespace {

QString drain(const MutableArrayPtr& queue)
{
    QString text;
    while (!isEmpty(queue))
        text += textOf(dequeue(queue));
    return text;
}

} // namespace

void tst_TzNSArrayQueue::queuesKeepTheirOrder()
{
    const auto fifo = MutableArray::make();
    const auto lifo = MutableArray::make();
    for (const QString& s : {u"a"_s, u"b"_s, u"c"_s}) {
        FIFOEnqueue(fifo, str(s));
        LIFOEnqueue(lifo, str(s));
    }
    FIFOEnqueue(fifo, Id()); // nothing to add
    QCOMPARE(fifo->count(), 3);
    QCOMPARE(drain(fifo), u"abc"_s);
    QCOMPARE(drain(lifo), u"cba"_s);
}

void tst_TzNSArrayQueue::emptyQueueAnswersNilWithALogLine()
{
    StdErrCapture capture;
    QCOMPARE(dequeue(MutableArray::make()), Id());
    QCOMPARE(capture.lineCount(), 1);
    const QByteArray text = capture.text();
    QVERIFY2(text.contains("\"TzNSArrayQueue.cpp\",#")
                 && text.endsWith(" (-[NSMutableArray(TzNSArrayQueue) dequeue])  -- index 0 (0x0) out of bounds 0\n"),
             text.constData());
    QCOMPARE(dequeue(nullptr), Id());
}

void tst_TzNSArrayQueue::stack()
{
    const auto stack = MutableArray::make();
    StdErrCapture capture;
    QVERIFY(isEmpty(stack));
    QCOMPARE(top(stack), Id());
    QCOMPARE(pop(stack), Id());
    QCOMPARE(capture.text(), QByteArray()); // an empty stack is no error
    const Id a = str(u"a"_s);
    const Id b = str(u"b"_s);
    push(stack, a);
    push(stack, b);
    QCOMPARE(top(stack), b);
    QCOMPARE(stack->count(), 2);
    QCOMPARE(pop(stack), b);
    QCOMPARE(pop(stack), a);
    QVERIFY(isEmpty(stack));
}

QTEST_APPLESS_MAIN(tst_TzNSArrayQueue)
#include "tst_TzNSArrayQueue.moc"
