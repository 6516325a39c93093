#include "Foundation_Additions/NSObject/TzMethodExists.h"

#include <QTest>

using namespace tz;
using namespace Qt::StringLiterals;

// A class whose methods the selector table learns at static initialisation.
class Editor : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE void tableViewDictForRow(QObject*, int) {}
    Q_INVOKABLE bool menuValidationForPaste(QObject*) { return true; }
public Q_SLOTS:
    void paste(QObject*) {}
};
TZ_REGISTER_CLASS(Editor);

class tst_TzMethodExists : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void namesOfRegisteredClasses_data();
    void namesOfRegisteredClasses();
    void askingNeverRegisters();
    void internedNames();
    void validationSelectors();
};

void tst_TzMethodExists::namesOfRegisteredClasses_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("known");
    QTest::newRow("two keywords") << u"tableView:dictForRow:"_s << true;
    QTest::newRow("slot") << u"paste:"_s << true;
    QTest::newRow("inherited from QObject") << u"deleteLater"_s << true;
    QTest::newRow("wrong argument count") << u"paste"_s << false;
    QTest::newRow("keywords split elsewhere join the same") << u"tableViewDict:forRow:"_s << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("colons only") << u"::"_s << false;
}

void tst_TzMethodExists::namesOfRegisteredClasses()
{
    QFETCH(QString, name);
    QTEST(methodExists(name), "known");
    QTEST(!TzNSSelectorFromString(name).isNull(), "known");
    if (methodExists(name))
        QCOMPARE(TzNSSelectorFromString(name).name(), name);
}

void tst_TzMethodExists::askingNeverRegisters()
{
    const QString unused = u"zqxNeverUsedAnywhere:withThis:"_s;
    QVERIFY(!methodExists(unused));
    QVERIFY(TzNSSelectorFromString(unused).isNull());
    QVERIFY(validationMethodExistsForAction(TzNSSelectorFromString(unused)).isNull());
    QVERIFY(!methodExists(unused));
    QVERIFY(TzNSSelectorFromString(unused).isNull());
}

void tst_TzMethodExists::internedNames()
{
    QVERIFY(!methodExists(u"openRecentDrive:"_s));
    const Selector s = registerSelector(u"openRecentDrive:"_s);
    QVERIFY(methodExists(u"openRecentDrive:"_s));
    QCOMPARE(TzNSSelectorFromString(u"openRecentDrive:"_s), s);
    QCOMPARE(registerSelector(u"openRecentDrive:"_s), s); // one selector per name
    QCOMPARE(s.methodName(), QByteArray("openRecentDrive"));
    QCOMPARE(s.argumentCount(), 1);
    QCOMPARE(registerSelector(u"tableView:dictForRow:"_s).methodName(), QByteArray("tableViewDictForRow"));
    QVERIFY(registerSelector(QString()).isNull());
}

void tst_TzMethodExists::validationSelectors()
{
    QCOMPARE(validationMethodExistsForAction(TzNSSelectorFromString(u"paste:"_s)).name(), u"menuValidationForPaste:"_s);
    // No such validation method anywhere: none.
    QVERIFY(validationMethodExistsForAction(registerSelector(u"cutDrive:"_s)).isNull());
    QVERIFY(validationMethodExistsForAction(Selector()).isNull());
}

QTEST_APPLESS_MAIN(tst_TzMethodExists)
#include "tst_TzMethodExists.moc"
