#include "app/DetailsText.h"

#include "Foundation/Dictionary.h"
#include "Foundation/String.h"
#include "app/DeviceRows.h"

#include <QRegularExpression>
#include <QTest>

class tst_DetailsText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dateText_data();
    void dateText();
    void rowWithoutDeviceHasOnlyInformation();
};

void tst_DetailsText::dateText_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("text");
    const QDate day(2007, 3, 1);
    const QTime time(14, 5, 9, 870); // milliseconds are not shown
    QTest::newRow("east of Greenwich") << QDateTime(day, time, Qt::OffsetFromUTC, 3600)
                                       << QStringLiteral("2007-03-01 14:05:09 +0100");
    QTest::newRow("west, half hour") << QDateTime(day, time, Qt::OffsetFromUTC, -(3 * 3600 + 1800))
                                     << QStringLiteral("2007-03-01 14:05:09 -0330");
    QTest::newRow("Greenwich") << QDateTime(day, time, Qt::UTC) << QStringLiteral("2007-03-01 14:05:09 +0000");
    QTest::newRow("single digits padded") << QDateTime(QDate(987, 1, 2), QTime(3, 4, 5), Qt::OffsetFromUTC, 20700)
                                          << QStringLiteral("0987-01-02 03:04:05 +0545");
}

void tst_DetailsText::dateText()
{
    QFETCH(QDateTime, moment);
    QFETCH(QString, text);
    QCOMPARE(DetailsText::dateText(moment), text);
}

void tst_DetailsText::rowWithoutDeviceHasOnlyInformation()
{
    const tz::DictionaryPtr info =
        tz::Dictionary::make({{QStringLiteral("DRDeviceProductNameKey"), tz::str(QStringLiteral("GH24NSD1"))}});
    const tz::DictionaryPtr row =
        tz::Dictionary::make({{modelKey, tz::str(QStringLiteral("GH24NSD1"))}, {infoKey, info}});
    const QString text = DetailsText::forRow(row).string();
    static const QRegularExpression layout(QStringLiteral(
        "^Device Information \\n\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d [+-]\\d{4}\\n\\nProductName: GH24NSD1\\n$"));
    QVERIFY2(layout.match(text).hasMatch(), qPrintable(text));

    // No INFO: the formatter's text for nothing, still no status section.
    const QString empty = DetailsText::forRow(tz::Dictionary::make()).string();
    QVERIFY2(empty.endsWith(QStringLiteral("\n\n[No Data Available]")), qPrintable(empty));
    QVERIFY(!empty.contains(QStringLiteral("Device Status")));
}

QTEST_APPLESS_MAIN(tst_DetailsText)
#include "tst_DetailsText.moc"
