#include "Foundation/Format.h"
#include "Foundation/Number.h"
#include "Foundation/String.h"

#include <QTest>

using namespace tz;
using namespace Qt::StringLiterals;

class tst_Format : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void conversions();
    void missingArgumentsAndOddFormats();
};

void tst_Format::conversions()
{
    QCOMPARE(format("%@ and %@", str(u"obj"_s), Id()), u"obj and (null)"_s);
    QCOMPARE(format("%@|%@", u"text"_s, QString()), u"text|(null)"_s);
    QCOMPARE(format("%d %5d %-3d|", -7, 42, 1), u"-7    42 1  |"_s);
    QCOMPARE(format("%x %X %08x", 255, 255, -1), u"ff FF ffffffff"_s);
    QCOMPARE(format("%lld %llu", std::int64_t(-9000000000), std::uint64_t(18446744073709551615ULL)),
             u"-9000000000 18446744073709551615"_s);
    QCOMPARE(format("%.2f %g %e", 3.14159, 0.5, 1000.0), u"3.14 0.5 1.000000e+03"_s);
    QCOMPARE(format("%s %.3s", "caf\xc3\xa9", "abcdef"), u"caf\u00e9 abc"_s);
    QCOMPARE(format("100%% %c", int('x')), u"100% x"_s);
    QCOMPARE(format("%*d", 4, 7), u"   7"_s);
    QCOMPARE(format("%d", num(12)), u"12"_s);
}

void tst_Format::missingArgumentsAndOddFormats()
{
    QCOMPARE(format("%d %@ %s"), u"0 (null) (null)"_s);
    QCOMPARE(format("trailing %"), u"trailing %"_s);
    QCOMPARE(format("%k", 1), u"%k"_s);
}

QTEST_APPLESS_MAIN(tst_Format)
#include "tst_Format.moc"
