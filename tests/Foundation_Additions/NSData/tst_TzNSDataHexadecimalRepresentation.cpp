#include "Foundation_Additions/NSData/TzNSDataHexadecimalRepresentation.h"

#include <QTest>

using namespace tz;

class tst_TzNSDataHexadecimalRepresentation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writing()
    {
        QCOMPARE(hexadecimalRepresentation(QByteArray::fromHex("00abff")), QStringLiteral("00ABFF"));
        QVERIFY(hexadecimalRepresentation(QByteArray()).isEmpty());
        QVERIFY(hexadecimalRepresentation(QByteArray("")).isEmpty());
        // Long enough for the vector path and its scalar tail: same as Qt's, upper-cased.
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        all.append(all.first(7));
        QCOMPARE(hexadecimalRepresentation(all), QString::fromLatin1(all.toHex().toUpper()));
    }

    void allBytesRoundTrip()
    {
        for (int offset = 0; offset < 17; ++offset) {
            QByteArray all;
            for (int b = 0; b < 256 + offset; ++b)
                all.append(char(b));
            QCOMPARE(dataWithHexadecimalRepresentation(hexadecimalRepresentation(all)), all);
        }
    }

    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes"); // null: the reader refuses
        const QByteArray expected = QByteArray::fromHex("00abff");
        QTest::newRow("lower case") << QStringLiteral("00abff") << expected;
        QTest::newRow("upper case") << QStringLiteral("00ABFF") << expected;
        QTest::newRow("line feed between pairs") << QStringLiteral("00 AB\nff") << expected;
        QTest::newRow("blanks around and inside a pair") << QStringLiteral(" \t0 0AB\r\v\fff ") << expected;
        QTest::newRow("odd digit count") << QStringLiteral("00A") << QByteArray();
        QTest::newRow("empty") << QStringLiteral("") << QByteArray();
        QTest::newRow("null") << QString() << QByteArray();
        QTest::newRow("blanks only") << QStringLiteral("   \n ") << QByteArray();
        QTest::newRow("letter G") << QStringLiteral("00G0") << QByteArray();
        QTest::newRow("prefix 0x") << QStringLiteral("0x00") << QByteArray();
        QTest::newRow("non-ASCII") << QStringLiteral("00\u00e9") << QByteArray();
        QTest::newRow("fullwidth digit") << QStringLiteral("0\uff10") << QByteArray();
        QTest::newRow("NUL") << QString(QStringLiteral("00") + QChar(0) + QStringLiteral("0")) << QByteArray();
    }
    void reading()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        const QByteArray result = dataWithHexadecimalRepresentation(text);
        QCOMPARE(result.isNull(), bytes.isNull());
        QCOMPARE(result, bytes);
    }
};

QTEST_APPLESS_MAIN(tst_TzNSDataHexadecimalRepresentation)
#include "tst_TzNSDataHexadecimalRepresentation.moc"
