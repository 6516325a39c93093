#include "Foundation_Additions/NSString/TzNSStringDeleteCommonPrefix.h"

#include <QTest>

class tst_TzNSStringDeleteCommonPrefix : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void deletesSharedPrefix_data();
    void deletesSharedPrefix();
    void unchangedTextIsTheReceiver();
};

void tst_TzNSStringDeleteCommonPrefix::deletesSharedPrefix_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("expected");

    const QString key = QStringLiteral("DRDevicePhysicalInterconnectKey");
    QTest::newRow("enumerated value keeps its tail")
        << QStringLiteral("DRDevicePhysicalInterconnectUSB") << key << QStringLiteral("USB");
    QTest::newRow("first five characters shared") << QStringLiteral("DRDevXYZ") << key << QStringLiteral("XYZ");
    QTest::newRow("equal to the key") << key << key << QString();
    QTest::newRow("nothing shared") << QStringLiteral("Internal") << key << QStringLiteral("Internal");
    QTest::newRow("only the first letter shared") << QStringLiteral("Drive") << key << QStringLiteral("rive");
    QTest::newRow("case matters") << QStringLiteral("drdevice") << key << QStringLiteral("drdevice");
    QTest::newRow("text is a prefix of other") << QStringLiteral("DRDe") << key << QString();
    QTest::newRow("other is a prefix of text")
        << QStringLiteral("DRDeviceKeyX") << QStringLiteral("DRDevice") << QStringLiteral("KeyX");
    QTest::newRow("empty other") << QStringLiteral("abc") << QString() << QStringLiteral("abc");
    QTest::newRow("empty text") << QString() << key << QString();
    // Code units, not characters: a shared high surrogate is removed on its own.
    QTest::newRow("split surrogate pair")
        << QStringLiteral(u"\U0001F4BFx") << QStringLiteral(u"\U0001F4C0") << QStringLiteral(u"\xDCBFx");
}

void tst_TzNSStringDeleteCommonPrefix::deletesSharedPrefix()
{
    QFETCH(QString, text);
    QFETCH(QString, other);
    QFETCH(QString, expected);
    const QString result = tz::stringByDeletingCommonPrefixWith(text, other);
    QCOMPARE(result, expected);
    QVERIFY(!result.isNull() || text.isNull());
}

void tst_TzNSStringDeleteCommonPrefix::unchangedTextIsTheReceiver()
{
    const QString text = QString::fromUtf8("Internal");
    QVERIFY(tz::stringByDeletingCommonPrefixWith(text, QStringLiteral("External")).isSharedWith(text));
}

QTEST_APPLESS_MAIN(tst_TzNSStringDeleteCommonPrefix)
#include "tst_TzNSStringDeleteCommonPrefix.moc"
