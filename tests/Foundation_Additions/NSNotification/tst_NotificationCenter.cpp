#include "Foundation/String.h"
#include "Foundation_Additions/NSNotification/TzAddObserver.h"
#include "support/StdErrCapture.h"

#include <QTest>

using namespace tz;
using namespace Qt::StringLiterals;

// Records the names it is sent.
class Listener : public QObject
{
    Q_OBJECT
public:
    QStringList heard;
    Q_INVOKABLE void noteChanged(const tz::Notification& n) { heard.append(n.name); }
    Q_INVOKABLE void wrongShape(int) {}
};

class tst_NotificationCenter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void nameAndSenderFilters_data();
    void nameAndSenderFilters();
    void selectorObservers();
    void removingDuringDelivery();
    void removal();
};

void tst_NotificationCenter::nameAndSenderFilters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("forDrive");
    QTest::addColumn<QString>("expected");
    QTest::newRow("any name, any sender") << QString() << false << u"appeared@drive appeared@other gone@drive"_s;
    QTest::newRow("one name") << u"appeared"_s << false << u"appeared@drive appeared@other"_s;
    QTest::newRow("one sender") << QString() << true << u"appeared@drive gone@drive"_s;
    QTest::newRow("both") << u"gone"_s << true << u"gone@drive"_s;
}

void tst_NotificationCenter::nameAndSenderFilters()
{
    QFETCH(QString, name);
    QFETCH(bool, forDrive);
    NotificationCenter center;
    const Id drive = str(u"drive"_s);
    const Id other = str(u"drive"_s); // equal, but another sender
    QStringList heard;
    int token = 0;
    center.addObserverNameObject(
        &token,
        [&](const Notification& n) { heard.append(n.name + u'@' + (n.object == drive ? u"drive"_s : u"other"_s)); },
        name, forDrive ? drive : Id());
    center.postNotificationNameObject(u"appeared"_s, drive);
    center.postNotificationNameObject(u"appeared"_s, other);
    center.postNotificationNameObject(u"gone"_s, drive);
    QTEST(heard.join(u' '), "expected");
}

void tst_NotificationCenter::selectorObservers()
{
    NotificationCenter center;
    auto listener = std::make_unique<Listener>();
    QVERIFY(center.addObserverSelectorNameObject(listener.get(), registerSelector(u"noteChanged:"_s), {}, {}));
    {
        StdErrCapture capture;
        QVERIFY(!center.addObserverSelectorNameObject(listener.get(), registerSelector(u"wrongShape:"_s), {}, {}));
        QVERIFY(!center.addObserverSelectorNameObject(listener.get(), registerSelector(u"noteChanged"_s), {}, {}));
        QCOMPARE(capture.lineCount(), 2);
        QVERIFY2(capture.text().contains("BAD METHOD SIGNATURE FOR [Listener wrongShape:]\n"),
                 capture.text().constData());
    }
    center.postNotificationNameObject(u"one"_s, {}, Dictionary::make({{u"k"_s, str(u"v"_s)}}));
    QCOMPARE(listener->heard, QStringList{u"one"_s});
    listener.reset(); // a destroyed observer is dropped, not called
    center.postNotificationNameObject(u"two"_s, {});
    QCOMPARE(center.observerCount(), 0);
}

void tst_NotificationCenter::removingDuringDelivery()
{
    NotificationCenter center;
    QStringList calls;
    int first = 0, second = 0, third = 0;
    center.addObserverNameObject(&first,
                                 [&](const Notification&) {
                                     calls.append(u"first"_s);
                                     center.removeObserver(&second); // not called, though already chosen for this post
                                     center.removeObserver(&first);  // removing itself mid-call
                                     center.addObserverNameObject(
                                         &third, [&](const Notification&) { calls.append(u"third"_s); }, {}, {});
                                 },
                                 {}, {});
    center.addObserverNameObject(&second, [&](const Notification&) { calls.append(u"second"_s); }, {}, {});
    center.postNotificationNameObject(u"n"_s, {});
    QCOMPARE(calls.join(u' '), u"first"_s);
    center.postNotificationNameObject(u"n"_s, {});
    QCOMPARE(calls.join(u' '), u"first third"_s);
}

void tst_NotificationCenter::removal()
{
    auto& center = NotificationCenter::defaultCenter();
    Listener a, b;
    const Id sender = str(u"s"_s);
    const Selector note = registerSelector(u"noteChanged:"_s);
    QVERIFY(addObserverSelectorNameObject(&a, note, u"x"_s, {}));
    QVERIFY(addObserverSelectorNameObject(&a, note, u"y"_s, {}));
    QVERIFY(addObserverSelectorNameObject(&b, note, {}, sender));
    removeObserverNameObject(&a, u"x"_s, {});
    center.postNotificationNameObject(u"x"_s, sender);
    center.postNotificationNameObject(u"y"_s, sender);
    QCOMPARE(a.heard, QStringList{u"y"_s});
    QCOMPARE(b.heard, (QStringList{u"x"_s, u"y"_s}));
    removeObserversOf(sender); // b's registration for that sender goes
    removeObserver(&a);
    center.postNotificationNameObject(u"y"_s, sender);
    QCOMPARE(a.heard.size(), 1);
    QCOMPARE(b.heard.size(), 2);
    QCOMPARE(center.observerCount(), 0);
}

QTEST_GUILESS_MAIN(tst_NotificationCenter)
#include "tst_NotificationCenter.moc"
