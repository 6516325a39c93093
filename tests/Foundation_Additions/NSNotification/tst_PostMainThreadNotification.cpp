#include "Foundation/String.h"
#include "Foundation_Additions/NSNotification/NotificationCenter.h"
#include "Foundation_Additions/NSNotification/NotifyLater.h"
#include "Foundation_Additions/NSNotification/PostMainThreadNotification.h"

#include <QEventLoop>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>

using namespace tz;
using namespace Qt::StringLiterals;

class tst_PostMainThreadNotification : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fromAWorkerThread();
    void fromTheMainThreadOnALaterPass();
    void deferredPostsStayOnTheirThread();
};

void tst_PostMainThreadNotification::fromAWorkerThread()
{
    QStringList heard;
    bool allOnMain = true;
    int token = 0;
    NotificationCenter::defaultCenter().addObserverNameObject(
        &token,
        [&](const Notification& n) {
            allOnMain =
                allOnMain && onMainThread() && QThread::currentThread() == QCoreApplication::instance()->thread();
            heard.append(n.name + u' ' + textOf(n.userInfo ? n.userInfo->objectForKey(u"k"_s) : Id()));
        },
        {}, {});
    std::atomic<bool> workerOnMain = true;
    std::atomic<bool> returnedBeforeDelivery = false;
    QThread* worker = QThread::create([&] {
        workerOnMain = onMainThread();
        postMainThreadNotificationNameObject(u"first"_s, {});
        postMainThreadNotificationNameObjectUserInfo(u"second"_s, {}, Dictionary::make({{u"k"_s, str(u"v"_s)}}));
        returnedBeforeDelivery = heard.isEmpty(); // never awaited: the main thread is blocked in wait()
    });
    worker->start();
    QVERIFY(worker->wait(5000));
    delete worker;
    QVERIFY(!workerOnMain);
    QVERIFY(returnedBeforeDelivery);
    QVERIFY(heard.isEmpty());
    QTRY_COMPARE(heard.join(u'|'), u"first |second v"_s);
    QVERIFY(allOnMain);
    QVERIFY(onMainThread());
    NotificationCenter::defaultCenter().removeObserver(&token);
}

void tst_PostMainThreadNotification::fromTheMainThreadOnALaterPass()
{
    int calls = 0;
    int token = 0;
    NotificationCenter::defaultCenter().addObserverNameObject(&token, [&](const Notification&) { ++calls; }, u"later"_s,
                                                              {});
    QVERIFY(postMainThreadNotificationNameObject(u"later"_s, {}));
    QCOMPARE(calls, 0);
    QTRY_COMPARE(calls, 1);
    NotificationCenter::defaultCenter().removeObserver(&token);
}

void tst_PostMainThreadNotification::deferredPostsStayOnTheirThread()
{
    std::atomic<int> onWorker = 0;
    std::atomic<int> elsewhere = 0;
    int token = 0;
    QThread* worker = nullptr;
    NotificationCenter::defaultCenter().addObserverNameObject(
        &token, [&](const Notification&) { (QThread::currentThread() == worker ? onWorker : elsewhere)++; },
        u"workerIdle"_s, {});
    worker = QThread::create([&] {
        postNotificationWithNameObjectAtIdle(u"workerIdle"_s, {}, true);
        postNotificationWithNameObjectAtIdle(u"workerIdle"_s, {}, true);
        QEventLoop loop;
        QTimer::singleShot(200, &loop, &QEventLoop::quit);
        loop.exec();
    });
    worker->start();
    QVERIFY(worker->wait(5000));
    delete worker;
    QCOMPARE(onWorker.load(), 1);
    QCOMPARE(elsewhere.load(), 0);
    NotificationCenter::defaultCenter().removeObserver(&token);
}

QTEST_GUILESS_MAIN(tst_PostMainThreadNotification)
#include "tst_PostMainThreadNotification.moc"
