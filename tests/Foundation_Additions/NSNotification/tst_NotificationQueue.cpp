#include "Foundation/String.h"
#include "Foundation_Additions/NSNotification/NotificationQueue.h"
#include "Foundation_Additions/NSNotification/NotifyLater.h"

#include <QDialog>
#include <QEventLoop>
#include <QMenu>
#include <QTest>
#include <QTimer>

using namespace tz;
using namespace Qt::StringLiterals;

class tst_NotificationQueue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void coalescesOnNameAndSender();
    void asapComesBeforeIdle();
    void deliveredInsideAModalDialog();
    void deliveredWhileAMenuIsOpen();
    void dequeueing();

private:
    QStringList _heard;
    int _token = 0;
};

namespace {

QString senderText(const Id& object)
{
    return object ? textOf(object) : u"nil"_s;
}

// Turns a real event loop, which waits for events between passes (so it also goes idle),
// until the condition holds or the time is up.
template <typename Condition>
void spinUntil(Condition done, int milliseconds = 5000)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(10);
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

void tst_NotificationQueue::init()
{
    _heard.clear();
    NotificationCenter::defaultCenter().addObserverNameObject(
        &_token, [this](const Notification& n) { _heard.append(n.name + u'@' + senderText(n.object)); }, {}, {});
}

void tst_NotificationQueue::cleanup()
{
    NotificationCenter::defaultCenter().removeObserver(&_token);
}

void tst_NotificationQueue::coalescesOnNameAndSender()
{
    const Id a = str(u"a"_s);
    const Id b = str(u"b"_s);
    for (int i = 0; i < 3; ++i)
        postNotificationWithNameObjectAtIdle(u"changed"_s, a, false);
    postNotificationWithNameObjectAtIdle(u"changed"_s, b, false); // another sender
    postNotificationWithNameObjectAtIdle(u"other"_s, a, false);   // another name
    QVERIFY(_heard.isEmpty());                                    // not before the loop turns
    QTRY_COMPARE(_heard.join(u' '), u"changed@a changed@b other@a"_s);
    // Idle posts coalesce the same way.
    for (int i = 0; i < 3; ++i)
        postIdleNotificationWithNameObject(u"idle"_s, a);
    spinUntil([&] { return _heard.size() >= 4; });
    QCOMPARE(_heard.size(), 4);
    QCOMPARE(_heard.last(), u"idle@a"_s);
    spinUntil([] { return false; }, 200); // nothing more comes, idle or not
    QCOMPARE(_heard.size(), 4);
}

void tst_NotificationQueue::asapComesBeforeIdle()
{
    postIdleNotificationWithNameObject(u"idle"_s, {});
    postNotificationWithNameObjectUserInfoAtIdle(u"soon"_s, {}, Dictionary::make(), false);
    QCoreApplication::processEvents(); // a busy pass: posted events, never idle
    QCOMPARE(_heard.join(u' '), u"soon@nil"_s);
    spinUntil([&] { return _heard.size() >= 2; });
    QCOMPARE(_heard.join(u' '), u"soon@nil idle@nil"_s);
}

void tst_NotificationQueue::deliveredInsideAModalDialog()
{
    QDialog dialog;
    QStringList heardInside;
    bool dialogWasRunning = false;
    QTimer::singleShot(0, &dialog, [&] {
        dialogWasRunning = dialog.isVisible();
        postNotificationWithNameObjectAtIdle(u"soon"_s, {}, false);
        postIdleNotificationWithNameObject(u"idle"_s, {});
        // Close only once both came through the dialog's own loop.
        auto* poll = new QTimer(&dialog);
        connect(poll, &QTimer::timeout, &dialog, [&] {
            if (_heard.size() >= 2) {
                heardInside = _heard;
                dialog.reject();
            }
        });
        poll->start(5);
        QTimer::singleShot(5000, &dialog, &QDialog::reject);
    });
    dialog.exec();
    QVERIFY(dialogWasRunning);
    QCOMPARE(heardInside.join(u' '), u"soon@nil idle@nil"_s);
}

void tst_NotificationQueue::deliveredWhileAMenuIsOpen()
{
    QMenu menu;
    menu.addAction(u"Item"_s);
    QStringList heardInside;
    connect(&menu, &QMenu::aboutToShow, &menu, [&] { postIdleNotificationWithNameObject(u"idle"_s, {}); });
    QTimer::singleShot(0, &menu, [&] {
        auto* poll = new QTimer(&menu);
        connect(poll, &QTimer::timeout, &menu, [&] {
            if (!_heard.isEmpty()) {
                heardInside = _heard;
                menu.close();
            }
        });
        poll->start(5);
        QTimer::singleShot(5000, &menu, &QMenu::close);
    });
    menu.exec(QPoint(0, 0));
    QCOMPARE(heardInside, QStringList{u"idle@nil"_s});
}

void tst_NotificationQueue::dequeueing()
{
    NotificationCenter center;
    NotificationQueue queue(center);
    QStringList heard;
    int token = 0;
    center.addObserverNameObject(&token, [&](const Notification& n) { heard.append(n.name); }, {}, {});
    const Id s = str(u"s"_s);
    queue.enqueueNotification({u"a"_s, s, {}}, NotificationQueue::PostingStyle::ASAP,
                              NotificationQueue::CoalescingOnName);
    queue.enqueueNotification({u"a"_s, {}, {}}, NotificationQueue::PostingStyle::WhenIdle,
                              NotificationQueue::CoalescingOnName); // absorbed by name alone
    queue.enqueueNotification({u"b"_s, s, {}}, NotificationQueue::PostingStyle::ASAP, NotificationQueue::NoCoalescing);
    queue.enqueueNotification({u"b"_s, s, {}}, NotificationQueue::PostingStyle::ASAP, NotificationQueue::NoCoalescing);
    QCOMPARE(queue.waitingCount(), 3);
    queue.dequeueNotificationsMatching({u"b"_s, {}, {}}, NotificationQueue::CoalescingOnName);
    QCOMPARE(queue.waitingCount(), 1);
    queue.enqueueNotification({u"now"_s, {}, {}}, NotificationQueue::PostingStyle::Now);
    QCOMPARE(heard, QStringList{u"now"_s});
    QTRY_COMPARE(heard, (QStringList{u"now"_s, u"a"_s}));
}

QTEST_MAIN(tst_NotificationQueue)
#include "tst_NotificationQueue.moc"
