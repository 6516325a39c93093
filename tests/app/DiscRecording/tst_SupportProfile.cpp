#include "app/DiscRecording/SupportProfile.h"

#include "Foundation/Array.h"
#include "Foundation/Dictionary.h"
#include "Foundation/String.h"

#include <QTest>

using namespace DiscRecording;

namespace {

tz::Id personality(const QString& vendor, const tz::Id& alternates, const QString& product)
{
    QList<tz::Dictionary::Entry> entries;
    if (!vendor.isNull())
        entries.append({tz::str(QStringLiteral("DRDeviceVendorName")), tz::str(vendor)});
    if (alternates)
        entries.append({tz::str(QStringLiteral("DRDeviceAlternateVendorNames")), alternates});
    if (!product.isNull())
        entries.append({tz::str(QStringLiteral("DRDeviceProductName")), tz::str(product)});
    return tz::Dictionary::make(entries);
}

tz::Id entry(const tz::Id& personalities)
{
    return tz::Dictionary::make({{QStringLiteral("DRDevicePersonalities"), personalities}});
}

} // namespace

class TestSupportProfile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void matching_data()
    {
        QTest::addColumn<QString>("vendor");
        QTest::addColumn<QString>("product");
        QTest::addColumn<bool>("listed");

        QTest::newRow("exact") << "PIONEER"
                               << "DVD-RW  DVR-112D" << true;
        QTest::newRow("INQUIRY padding and case") << "  pioneer "
                                                  << "dvd-rw dvr-112d   " << true;
        QTest::newRow("whole-word prefix") << "PIONEER"
                                           << "DVD-RW DVR-112D SATA" << true;
        QTest::newRow("prefix inside a word") << "PIONEER"
                                              << "DVD-RW DVR-112DL" << false;
        QTest::newRow("shorter product") << "PIONEER"
                                         << "DVD-RW" << false;
        QTest::newRow("alternate in an array") << "Hitachi-LG"
                                               << "GH24NSD1" << true;
        QTest::newRow("second alternate") << "LG"
                                          << "GH24NSD1" << true;
        QTest::newRow("alternate as one string") << "MATSHITA"
                                                 << "UJ-85J" << true;
        QTest::newRow("vendor of another personality") << "PIONEER"
                                                       << "GH24NSD1" << false;
        QTest::newRow("second personality of an array") << "SONY"
                                                        << "DRU-830A" << true;
        QTest::newRow("empty vendor") << ""
                                      << "DVD-RW DVR-112D" << false;
        QTest::newRow("empty product") << "PIONEER"
                                       << "" << false;
        QTest::newRow("personality without product") << "NEC"
                                                     << "ND-3540A" << false;
    }
    void matching()
    {
        QFETCH(QString, vendor);
        QFETCH(QString, product);
        QFETCH(bool, listed);
        const tz::Id root = tz::Array::make({
            entry(personality(QStringLiteral("PIONEER"), nullptr, QStringLiteral("DVD-RW DVR-112D"))),
            entry(tz::Array::make({
                personality(QStringLiteral("HL-DT-ST"),
                            tz::Array::make({tz::str(QStringLiteral("Hitachi-LG")), tz::str(QStringLiteral(" LG "))}),
                            QStringLiteral("GH24NSD1")),
                personality(QStringLiteral("SONY"), nullptr, QStringLiteral("DRU-830A")),
            })),
            entry(personality(QString(), tz::str(QStringLiteral("MATSHITA")), QStringLiteral("UJ-85J"))),
            entry(personality(QStringLiteral("NEC"), nullptr, QString())),
        });
        QCOMPARE(profileListsDrive(root, vendor, product), listed);
    }

    void rootOfAnotherShapeListsNothing()
    {
        const tz::Id one = personality(QStringLiteral("PIONEER"), nullptr, QStringLiteral("DVR-112D"));
        QVERIFY(!profileListsDrive(nullptr, QStringLiteral("PIONEER"), QStringLiteral("DVR-112D")));
        QVERIFY(!profileListsDrive(entry(one), QStringLiteral("PIONEER"), QStringLiteral("DVR-112D")));
        QVERIFY(!profileListsDrive(tz::Array::make({tz::str(QStringLiteral("x")), entry(tz::str(QStringLiteral("y")))}),
                                   QStringLiteral("PIONEER"), QStringLiteral("DVR-112D")));
    }
};

QTEST_GUILESS_MAIN(TestSupportProfile)
#include "tst_SupportProfile.moc"
