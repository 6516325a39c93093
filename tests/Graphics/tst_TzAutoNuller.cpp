#include "Graphics/TzAutoNuller.h"

#include "Foundation/AutoreleaseScope.h"
#include "Foundation/String.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestAutoNuller : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clearedWhenItsScopeEnds()
    {
        tz::Id watched = tz::String::make(u"kept"_s);
        const tz::Object* raw = watched.get();
        {
            tz::AutoreleaseScope outer;
            {
                tz::AutoreleaseScope inner;
                (void)tz::TzAutoNuller::autoNullerForID(&watched);
                (void)tz::TzAutoNuller::autoNullerForID(&raw);
                QVERIFY(watched);
                QVERIFY(raw);
            }
            QVERIFY(!watched);
            QCOMPARE(raw, nullptr);
            watched = tz::String::make(u"again"_s);
        }
        // Only the scope the nuller was made in clears the variable.
        QVERIFY(watched);
    }

    void heldPastItsScopeClearsWhenReleased()
    {
        std::shared_ptr<const tz::String> watched = tz::String::make(u"x"_s);
        std::shared_ptr<const tz::TzAutoNuller> held;
        {
            tz::AutoreleaseScope scope;
            held = tz::TzAutoNuller::autoNullerForID(&watched);
            QCOMPARE(held->nilTarget(), static_cast<const void*>(&watched));
        }
        QVERIFY(watched);
        held.reset();
        QVERIFY(!watched);
    }

    void withoutScopeTheLastHolderDecides()
    {
        QCOMPARE(tz::AutoreleaseScope::current(), nullptr);
        tz::Id watched = tz::String::make(u"x"_s);
        auto nuller = tz::TzAutoNuller::autoNullerForID(&watched);
        QVERIFY(watched);
        nuller.reset();
        QVERIFY(!watched);
    }
};

QTEST_GUILESS_MAIN(TestAutoNuller)
#include "tst_TzAutoNuller.moc"
