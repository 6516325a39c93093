#include "Foundation/AutoreleaseScope.h"
#include "app/Application.h"

#include <QTest>

namespace {

constexpr auto outerEvent = QEvent::Type(QEvent::User + 1);
constexpr auto innerEvent = QEvent::Type(QEvent::User + 2);

// Records the scope each event runs in, and whether the outer event's scope has ended.
class Probe : public QObject
{
public:
    tz::AutoreleaseScope* outerScope = nullptr;
    tz::AutoreleaseScope* innerScope = nullptr;
    bool endedDuringEvent = false;
    bool ended = false;

    bool event(QEvent* event) override
    {
        if (event->type() == outerEvent) {
            outerScope = tz::AutoreleaseScope::current();
            tz::AutoreleaseScope::atEnd([this] { ended = true; });
            QEvent inner(innerEvent);
            QCoreApplication::sendEvent(this, &inner);
            endedDuringEvent = ended;
            return true;
        }
        if (event->type() == innerEvent) {
            innerScope = tz::AutoreleaseScope::current();
            return true;
        }
        return QObject::event(event);
    }
};

} // namespace

class tst_Application : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void eachEventCycleHasItsOwnScope();
};

void tst_Application::eachEventCycleHasItsOwnScope()
{
    QVERIFY(!tz::AutoreleaseScope::current());
    Probe probe;
    QCoreApplication::postEvent(&probe, new QEvent(outerEvent));
    QCoreApplication::sendPostedEvents(&probe, outerEvent);

    QVERIFY(probe.outerScope);
    QCOMPARE(probe.innerScope, probe.outerScope); // events sent while handling share it
    QVERIFY(!probe.endedDuringEvent);
    QVERIFY(probe.ended); // and it ends with the event
    QVERIFY(!tz::AutoreleaseScope::current());
}

int main(int argc, char** argv)
{
    Application app(argc, argv);
    tst_Application test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Application.moc"
