#include "Foundation/String.h"

#include <QTest>

using namespace tz;
using namespace Qt::StringLiterals;

class tst_String : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void conversions_data();
    void conversions();
    void unsignedConversionsNotOffered();
};

void tst_String::conversions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qlonglong>("longLong");
    QTest::addColumn<double>("dbl");
    QTest::addColumn<bool>("yes");
    QTest::newRow("plain") << u"42"_s << 42LL << 42.0 << true;
    QTest::newRow("blanks and sign") << u"  -17abc"_s << -17LL << -17.0 << true;
    QTest::newRow("fraction") << u"2.5e2x"_s << 2LL << 250.0 << true;
    QTest::newRow("no number") << u"hello"_s << 0LL << 0.0 << false;
    QTest::newRow("yes word") << u" Yes"_s << 0LL << 0.0 << true;
    QTest::newRow("zeros") << u"000"_s << 0LL << 0.0 << false;
    QTest::newRow("overflow saturates") << u"99999999999999999999999"_s << std::numeric_limits<qlonglong>::max() << 1e23
                                        << true;
    QTest::newRow("empty") << QString() << 0LL << 0.0 << false;
}

void tst_String::conversions()
{
    QFETCH(QString, text);
    QFETCH(qlonglong, longLong);
    QFETCH(double, dbl);
    QFETCH(bool, yes);
    const auto s = String::make(text);
    QCOMPARE(*s->longLongValue(), longLong);
    QCOMPARE(*s->doubleValue(), dbl);
    QCOMPARE(*s->boolValue(), yes);
}

void tst_String::unsignedConversionsNotOffered()
{
    const auto s = String::make(u"12"_s);
    QVERIFY(!s->unsignedIntValue());
    QVERIFY(!s->unsignedLongLongValue());
    QCOMPARE(textOf(s), u"12"_s);
    QVERIFY(textOf(Id()).isNull());
}

QTEST_APPLESS_MAIN(tst_String)
#include "tst_String.moc"
