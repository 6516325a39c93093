#include "Foundation/AutoreleaseScope.h"
#include "Foundation/String.h"

#include <QTest>

using namespace tz;
using namespace Qt::StringLiterals;

class tst_AutoreleaseScope : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void objectsLiveUntilInnermostScopeEnds();
    void callbacksRunInOrderAtEnd();
    void nothingWithoutScope();
};

void tst_AutoreleaseScope::objectsLiveUntilInnermostScopeEnds()
{
    std::weak_ptr<const Object> weak;
    {
        AutoreleaseScope outer;
        {
            AutoreleaseScope inner;
            Id object = str(u"temporary"_s);
            weak = object;
            QVERIFY(AutoreleaseScope::autorelease(object));
            object.reset();
            QVERIFY(!weak.expired());
            QCOMPARE(AutoreleaseScope::current(), &inner);
        }
        QVERIFY(weak.expired());
        QCOMPARE(AutoreleaseScope::current(), &outer);
    }
    QCOMPARE(AutoreleaseScope::current(), nullptr);
}

void tst_AutoreleaseScope::callbacksRunInOrderAtEnd()
{
    QStringList calls;
    {
        AutoreleaseScope scope;
        AutoreleaseScope::atEnd([&] {
            calls << u"first"_s;
            // Added while ending: still runs in this scope.
            AutoreleaseScope::atEnd([&] { calls << u"late"_s; });
        });
        AutoreleaseScope::atEnd([&] { calls << u"second"_s; });
        QVERIFY(calls.isEmpty());
    }
    QCOMPARE(calls, (QStringList{u"first"_s, u"second"_s, u"late"_s}));
}

void tst_AutoreleaseScope::nothingWithoutScope()
{
    QVERIFY(!AutoreleaseScope::autorelease(str(u"x"_s)));
    QVERIFY(!AutoreleaseScope::atEnd([] {}));
}

QTEST_APPLESS_MAIN(tst_AutoreleaseScope)
#include "tst_AutoreleaseScope.moc"
