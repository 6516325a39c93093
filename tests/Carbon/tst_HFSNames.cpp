#include "Carbon/HFSNames.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestHFSNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void toHFS_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<uint>("encoding");
        QTest::addColumn<bool>("lossy");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("hfs");

        QTest::newRow("ascii") << u"Read Me"_s << 0u << false << 0 << QByteArray("\x07Read Me");
        QTest::newRow("system encoding is Mac OS Roman")
            << u"R\u00e9sum\u00e9 \u2122"_s << 0xFFFFu << false << 0 << QByteArray("\x08R\x8Esum\x8E \xAA");
        QTest::newRow("empty") << u""_s << 0u << false << 0 << QByteArray(1, '\0');
        QTest::newRow("31 bytes") << QString(31, u'a') << 0u << false << 0
                                  << QByteArray(1, '\x1F') + QByteArray(31, 'a');
        QTest::newRow("32 bytes") << QString(32, u'a') << 0u << false << -37 << QByteArray();
        QTest::newRow("not in Mac OS Roman") << u"\u65e5\u672c"_s << 0u << false << -37 << QByteArray();
        QTest::newRow("lossy") << u"a\u65e5\u672c"_s << 0u << true << 0
                               << QByteArray("\x03"
                                             "a??");
        QTest::newRow("lossy surrogate pair is one character")
            << u"x\U0001F600y"_s << 0u << true << 0 << QByteArray("\x03x?y");
        QTest::newRow("other encoding") << u"abc"_s << 1u << false << -50 << QByteArray();
    }
    void toHFS()
    {
        QFETCH(QString, name);
        QFETCH(uint, encoding);
        QFETCH(bool, lossy);
        QFETCH(int, status);
        QFETCH(QByteArray, hfs);
        QByteArray out = "unchanged";
        QCOMPARE(int(tz::UnicodeNameGetHFSName(name, encoding, lossy, &out)), status);
        QCOMPARE(out, status == 0 ? hfs : QByteArray("unchanged"));
        QCOMPARE(int(tz::UnicodeNameGetHFSName(name, encoding, lossy, nullptr)), -50);
    }

    void everyByteRoundTrips()
    {
        for (int byte = 0; byte < 256; ++byte) {
            const QByteArray hfs = QByteArray("\x01") + char(byte);
            QString name;
            QCOMPARE(int(tz::HFSNameGetUnicodeName(hfs, 0, &name)), 0);
            QCOMPARE(name.size(), 1);
            QByteArray back;
            QCOMPARE(int(tz::UnicodeNameGetHFSName(name, 0, false, &back)), 0);
            QCOMPARE(back, hfs);
        }
    }

    void fromHFSErrors()
    {
        QString name = u"unchanged"_s;
        QCOMPARE(int(tz::HFSNameGetUnicodeName(QByteArray("\x05"
                                                          "abc"),
                                               0, &name)),
                 -37);
        QCOMPARE(int(tz::HFSNameGetUnicodeName(QByteArray(), 0, &name)), -50);
        QCOMPARE(int(tz::HFSNameGetUnicodeName(QByteArray("\x01"
                                                          "a"),
                                               7, &name)),
                 -50);
        QCOMPARE(name, u"unchanged"_s);
        QCOMPARE(int(tz::HFSNameGetUnicodeName(QByteArray("\x01"
                                                          "a"),
                                               0, nullptr)),
                 -50);
        // Bytes past the counted length are not part of the name.
        QCOMPARE(int(tz::HFSNameGetUnicodeName(QByteArray("\x02"
                                                          "a\x8Ezzz"),
                                               0xFFFF, &name)),
                 0);
        QCOMPARE(name, u"a\u00e9"_s);
    }
};

QTEST_GUILESS_MAIN(TestHFSNames)
#include "tst_HFSNames.moc"
