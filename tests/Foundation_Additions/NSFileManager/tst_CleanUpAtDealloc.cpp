#include "Foundation/String.h"
#include "Foundation_Additions/NSFileManager/CleanUpAtDealloc.h"
#include "Foundation_Additions/NSNotification/NotificationCenter.h"
#include "Foundation_Additions/NSObject/TzNSObjectPerformSelectorAfterDelay.h"

#include <QTest>

using namespace tz;
using namespace Qt::StringLiterals;

// Hears notifications and delayed messages, and records them where the test can still look
// after the object is gone.
class Listener : public QObject
{
    Q_OBJECT
public:
    explicit Listener(QStringList* log, bool cleansUp = false) : _log(log), _cleansUp(cleansUp) {}
    ~Listener() override
    {
        if (_cleansUp)
            CleanUpAtDealloc(this);
    }
    Q_INVOKABLE void heard(const tz::Notification& n) { _log->append(objectName() + u" heard "_s + n.name); }
    Q_INVOKABLE void later(const tz::Id& object) { _log->append(objectName() + u" later "_s + describe(object)); }

    void listen()
    {
        QVERIFY(NotificationCenter::defaultCenter().addObserverSelectorNameObject(this, registerSelector(u"heard:"_s),
                                                                                  u"Ping"_s, {}));
        // A plain callable kept under this object's address goes too.
        NotificationCenter::defaultCenter().addObserverNameObject(
            static_cast<const void*>(this),
            [log = _log](const Notification& n) { log->append(u"callable "_s + n.name); }, u"Pong"_s, {});
        QVERIFY(performSelectorWithObjectAfterDelay(this, registerSelector(u"later:"_s), str(u"msg"_s), 0.01));
    }

private:
    QStringList* _log;
    bool _cleansUp;
};

class tst_CleanUpAtDealloc : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void detachesFromNotificationsAndDelayedMessages()
    {
        QStringList log;
        Listener cleaned(&log);
        cleaned.setObjectName(u"cleaned"_s);
        Listener other(&log);
        other.setObjectName(u"other"_s);
        cleaned.listen();
        other.listen();
        const qsizetype before = NotificationCenter::defaultCenter().observerCount();

        CleanUpAtDealloc(&cleaned);
        QCOMPARE(NotificationCenter::defaultCenter().observerCount(), before - 2);
        NotificationCenter::defaultCenter().postNotificationNameObject(u"Ping"_s, {});
        QTRY_VERIFY(log.contains(u"other later msg"_s));
        QTest::qWait(30);
        QCOMPARE(log, (QStringList{u"other heard Ping"_s, u"other later msg"_s}));

        CleanUpAtDealloc(&other);
        CleanUpAtDealloc(nullptr);
        QCOMPARE(NotificationCenter::defaultCenter().observerCount(), before - 4);
    }

    // The usual call, from the destructor: the callable and the waiting message go with it.
    void fromTheDestructor()
    {
        QStringList log;
        auto listener = std::make_unique<Listener>(&log, true);
        listener->listen();
        const qsizetype before = NotificationCenter::defaultCenter().observerCount();
        listener.reset();
        QCOMPARE(NotificationCenter::defaultCenter().observerCount(), before - 2);
        NotificationCenter::defaultCenter().postNotificationNameObject(u"Pong"_s, {});
        QTest::qWait(30);
        QVERIFY(log.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_CleanUpAtDealloc)
#include "tst_CleanUpAtDealloc.moc"
