#include "Foundation/Array.h"
#include "Foundation/AutoreleaseScope.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSCollection/TzAutoreleasedCopy.h"

#include <QTest>

using namespace tz;
using namespace Qt::StringLiterals;

class tst_TzAutoreleasedCopy : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void copiesLiveUntilTheScopeEnds();
    void copiesAreIndependent();
};

void tst_TzAutoreleasedCopy::copiesLiveUntilTheScopeEnds()
{
    std::weak_ptr<const Object> watched;
    {
        AutoreleaseScope scope;
        watched = autoreleasedMutableCopy(Array::make({str(u"a"_s)}));
        QVERIFY(!watched.expired()); // held by the scope alone
        QCOMPARE(scope.pendingCount(), std::size_t(1));
    }
    QVERIFY(watched.expired());
}

void tst_TzAutoreleasedCopy::copiesAreIndependent()
{
    AutoreleaseScope scope;
    const auto source = MutableArray::make({str(u"a"_s)});
    const Id frozen = autoreleasedCopy(source);
    const auto mutableCopy = autoreleasedMutableCopy(source);
    source->addObject(str(u"b"_s));
    mutableCopy->addObject(str(u"c"_s));
    QCOMPARE(as<Array>(frozen)->count(), 1);
    QCOMPARE(textOf(mutableCopy->objectAtIndex(1)), u"c"_s);
    QCOMPARE(source->count(), 2);
    const Id text = str(u"t"_s);
    QCOMPARE(autoreleasedCopy(text), text); // immutable kinds are their own copy
    QCOMPARE(autoreleasedMutableCopy(text), MutableArrayPtr());
    QCOMPARE(autoreleasedCopy(Id()), Id());
}

QTEST_APPLESS_MAIN(tst_TzAutoreleasedCopy)
#include "tst_TzAutoreleasedCopy.moc"
