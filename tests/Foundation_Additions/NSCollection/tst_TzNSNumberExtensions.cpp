#include "Foundation_Additions/NSCollection/TzNSNumberExtensions.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace tz;

Q_DECLARE_METATYPE(tz::NumberPtr)

class tst_TzNSNumberExtensions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void maxAndMin_data();
    void maxAndMin();
};

void tst_TzNSNumberExtensions::maxAndMin_data()
{
    QTest::addColumn<NumberPtr>("a");
    QTest::addColumn<NumberPtr>("b");
    QTest::addColumn<bool>("maxIsB");
    QTest::addColumn<bool>("minIsB");
    QTest::newRow("smaller receiver") << Number::make(1) << Number::make(2.5) << true << false;
    QTest::newRow("greater receiver") << Number::make(3.0f) << Number::make(std::int64_t(-3)) << false << true;
    QTest::newRow("tie across types gives the receiver") << Number::make(2) << Number::make(2.0) << false << false;
    QTest::newRow("uint64 above int64") << Number::make(std::int64_t(-1))
                                        << Number::make(std::numeric_limits<std::uint64_t>::max()) << true << false;
    QTest::newRow("boolean as 1") << Number::make(true) << Number::make(std::uint32_t(0)) << false << true;
    QTest::newRow("NaN gives the receiver") << Number::make(std::nan("")) << Number::make(1) << false << false;
}

void tst_TzNSNumberExtensions::maxAndMin()
{
    QFETCH(NumberPtr, a);
    QFETCH(NumberPtr, b);
    QFETCH(bool, maxIsB);
    QFETCH(bool, minIsB);
    QCOMPARE(max(a, b), maxIsB ? b : a);
    QCOMPARE(min(a, b), minIsB ? b : a);
    QCOMPARE(max(a, nullptr), a);
}

QTEST_APPLESS_MAIN(tst_TzNSNumberExtensions)
#include "tst_TzNSNumberExtensions.moc"
