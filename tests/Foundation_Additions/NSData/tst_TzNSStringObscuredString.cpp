#include "Foundation_Additions/NSData/TzNSStringObscuredString.h"

#include <QTest>

using namespace tz;

class tst_TzNSStringObscuredString : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void asciiRoundTrip()
    {
        QString all;
        for (char16_t c = 0; c < 128; ++c)
            all.append(QChar(c));
        const QByteArray obscured = obscuredString(all);
        QCOMPARE(obscured.size(), all.size());
        for (qsizetype i = 0; i < all.size(); ++i) {
            QVERIFY(obscured[i] != char(all[i].unicode()));
            QCOMPARE(uchar(obscured[i]), uchar(all[i].unicode() ^ 0x4E));
        }
        QCOMPARE(unobscuredStringFromData(obscured), all);
        QCOMPARE(obscuredString(unobscuredStringFromData(obscured)), obscured);
    }

    void empty()
    {
        QVERIFY(obscuredString(QString()).isEmpty());
        QVERIFY(unobscuredStringFromData(QByteArray()).isEmpty());
    }

    void nonAsciiIsLossy_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("back");
        QTest::newRow("accented letter") << QStringLiteral("caf\u00e9") << QStringLiteral("cafe");
        QTest::newRow("decomposed accent") << QStringLiteral("cafe\u0301") << QStringLiteral("cafe");
        QTest::newRow("euro sign") << QStringLiteral("5\u20ac") << QStringLiteral("5?");
        QTest::newRow("emoji pair") << QStringLiteral("a\U0001F600b") << QStringLiteral("a?b");
    }
    void nonAsciiIsLossy()
    {
        QFETCH(QString, text);
        QFETCH(QString, back);
        QCOMPARE(unobscuredStringFromData(obscuredString(text)), back);
    }

    void foreignBytesGiveNull() { QVERIFY(unobscuredStringFromData(QByteArray(1, char(0x80 ^ 0x4E))).isNull()); }
};

QTEST_APPLESS_MAIN(tst_TzNSStringObscuredString)
#include "tst_TzNSStringObscuredString.moc"
