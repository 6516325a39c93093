#include "Foundation_Additions/NSData/TzNSDataBase64Encoding.h"

#include <QTest>

using namespace tz;

class tst_TzNSDataBase64Encoding : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // RFC 4648, section 10, and the three letters of "Man".
    void publishedVectors_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QByteArray("") << QString();
        QTest::newRow("f") << QByteArray("f") << QStringLiteral("Zg==");
        QTest::newRow("fo") << QByteArray("fo") << QStringLiteral("Zm8=");
        QTest::newRow("foo") << QByteArray("foo") << QStringLiteral("Zm9v");
        QTest::newRow("foob") << QByteArray("foob") << QStringLiteral("Zm9vYg==");
        QTest::newRow("fooba") << QByteArray("fooba") << QStringLiteral("Zm9vYmE=");
        QTest::newRow("foobar") << QByteArray("foobar") << QStringLiteral("Zm9vYmFy");
        QTest::newRow("Man") << QByteArray("Man") << QStringLiteral("TWFu");
        QTest::newRow("Ma") << QByteArray("Ma") << QStringLiteral("TWE=");
        QTest::newRow("M") << QByteArray("M") << QStringLiteral("TQ==");
    }
    void publishedVectors()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(base64EncodingWithLineLength(bytes, 0), text);
        QCOMPARE(dataWithBase64EncodedString(text), bytes);
    }

    void lineBreaks_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<quint32>("lineLength");
        QTest::addColumn<QList<int>>("lines"); // characters per line; -1 marks a final line without "\n"
        QTest::newRow("57 bytes at 76") << 57 << 76u << QList<int>{76};
        QTest::newRow("58 bytes at 76") << 58 << 76u << QList<int>{76, -4};
        QTest::newRow("line length 10 rounds up to 12") << 20 << 10u << QList<int>{12, 12, -4};
        QTest::newRow("line length 1 gives groups of 4") << 6 << 1u << QList<int>{4, 4};
        QTest::newRow("no line length") << 300 << 0u << QList<int>{-400};
        QTest::newRow("huge line length") << 10 << 0xFFFFFFFFu << QList<int>{-16};
        QTest::newRow("empty") << 0 << 76u << QList<int>{};
    }
    void lineBreaks()
    {
        QFETCH(int, length);
        QFETCH(quint32, lineLength);
        QFETCH(QList<int>, lines);
        QByteArray bytes;
        for (int i = 0; i < length; ++i)
            bytes.append(char(i * 37));
        const QString text = base64EncodingWithLineLength(bytes, lineLength);
        QString expected;
        const QString plain = QString::fromLatin1(bytes.toBase64());
        qsizetype at = 0;
        for (const int line : lines) {
            expected += plain.mid(at, qAbs(line));
            at += qAbs(line);
            if (line > 0)
                expected += u'\n';
        }
        QCOMPARE(text, expected);
        QVERIFY(!text.contains(u'\r'));
        QCOMPARE(dataWithBase64EncodedString(text), bytes);
    }

    void allBytesRoundTrip()
    {
        for (int offset = 0; offset < 3; ++offset) {
            QByteArray all;
            for (int b = 0; b < 256 + offset; ++b)
                all.append(char(b));
            for (const quint32 lineLength : {0u, 4u, 64u, 76u})
                QCOMPARE(dataWithBase64EncodedString(base64EncodingWithLineLength(all, lineLength)), all);
        }
    }

    // Long texts go 16 characters at a time; a stray character anywhere must not shift them.
    void strayCharacterAtEveryPosition()
    {
        QByteArray bytes;
        for (int i = 0; i < 90; ++i)
            bytes.append(char(i * 91 + 7));
        const QString text = base64EncodingWithLineLength(bytes, 0);
        for (qsizetype at = 0; at <= text.size(); ++at) {
            for (const QChar stray : {QChar(u'\n'), QChar(u'*')}) {
                QString noisy = text;
                noisy.insert(at, stray);
                QCOMPARE(dataWithBase64EncodedString(noisy), bytes);
            }
            QString foreign = text;
            foreign.insert(at, QChar(0x141));
            QCOMPARE(dataWithBase64EncodedString(foreign), QByteArray(""));
        }
    }

    void lenientReading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("two lines") << QStringLiteral("TWFu\nTWE=") << QByteArray("ManMa");
        QTest::newRow("stops at the first pad") << QStringLiteral("TQ==TWFu") << QByteArray("M");
        QTest::newRow("unpadded tail dropped") << QStringLiteral("TWFuTQ") << QByteArray("Man");
        QTest::newRow("stray characters skipped") << QStringLiteral("T*W#F u") << QByteArray("Man");
        QTest::newRow("CR LF and tabs") << QStringLiteral("TW\r\nFu\t") << QByteArray("Man");
        QTest::newRow("pad after one value") << QStringLiteral("TWFuT=") << QByteArray("Man") + char(0x4C);
        QTest::newRow("pad first") << QStringLiteral("=TWFu") << QByteArray("");
        QTest::newRow("null") << QString() << QByteArray("");
        QTest::newRow("non-ASCII anywhere") << QStringLiteral("TWFu\u00e9") << QByteArray("");
        QTest::newRow("non-ASCII after the pad") << QStringLiteral("TQ==\u00e9") << QByteArray("");
        QTest::newRow("only garbage") << QStringLiteral("!!!!") << QByteArray("");
    }
    void lenientReading()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        const QByteArray result = dataWithBase64EncodedString(text);
        QVERIFY(!result.isNull());
        QCOMPARE(result, bytes);
    }
};

QTEST_APPLESS_MAIN(tst_TzNSDataBase64Encoding)
#include "tst_TzNSDataBase64Encoding.moc"
