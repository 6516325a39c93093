#include "Foundation/String.h"
#include "Foundation_Additions/NSCollection/TzNSNullIfNil.h"

#include <QTest>

using namespace tz;
using namespace Qt::StringLiterals;

class tst_TzNSNullIfNil : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void placeholderRoundTrip();
    void placeholderSortsFirst();
};

void tst_TzNSNullIfNil::placeholderRoundTrip()
{
    const Id text = str(u"x"_s);
    QCOMPARE(ifNil(Id()), Id(Null::null()));
    QCOMPARE(ifNil(text), text);
    QCOMPARE(ifNull(Null::null()), Id());
    QCOMPARE(ifNull(text), text);
    QCOMPARE(ifNull(ifNil(Id())), Id());
}

void tst_TzNSNullIfNil::placeholderSortsFirst()
{
    QCOMPARE(nullCompare(Null::null()), ComparisonResult::Same);
    QCOMPARE(nullCompare(str(u""_s)), ComparisonResult::Ascending);
    QCOMPARE(nullCompare(Id()), ComparisonResult::Ascending);
}

QTEST_APPLESS_MAIN(tst_TzNSNullIfNil)
#include "tst_TzNSNullIfNil.moc"
