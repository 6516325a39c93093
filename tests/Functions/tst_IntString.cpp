#include "Functions/IntString.h"

#include <QTest>

#include <climits>

using namespace Qt::StringLiterals;

class tst_IntString : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decimalText();
};

void tst_IntString::decimalText()
{
    QCOMPARE(tz::IntString(0), u"0"_s);
    QCOMPARE(tz::IntString(-42), u"-42"_s);
    QCOMPARE(tz::IntString(INT_MIN), u"-2147483648"_s);
    QCOMPARE(tz::IntString(INT_MAX), u"2147483647"_s);
}

QTEST_APPLESS_MAIN(tst_IntString)
#include "tst_IntString.moc"
