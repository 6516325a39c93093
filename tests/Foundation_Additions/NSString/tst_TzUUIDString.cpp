#include "Foundation_Additions/NSString/TzUUIDString.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class TestUUIDString : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void uuidString()
    {
        const QString a = tz::UUIDString();
        const QRegularExpression form(u"^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$"_s);
        QVERIFY2(form.match(a).hasMatch(), qPrintable(a));
        QVERIFY(a != tz::UUIDString());
    }
};

QTEST_GUILESS_MAIN(TestUUIDString)
#include "tst_TzUUIDString.moc"
