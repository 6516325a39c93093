#include "Foundation/String.h"
#include "Foundation_Additions/NSCollection/TzNSSetAdditions.h"

#include <QTest>

using namespace tz;
using namespace Qt::StringLiterals;

class tst_TzNSSetAdditions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void operations();
    void unchangedResultsAreTheReceiver();
};

namespace {

SetPtr letters(const QString& text)
{
    QList<Id> objects;
    for (const QChar c : text)
        objects.append(str(QString(c)));
    return Set::make(objects);
}

QString lettersOf(const SetPtr& set)
{
    QString text;
    for (const Id& o : set->allObjects())
        text += textOf(o);
    return text;
}

} // namespace

void tst_TzNSSetAdditions::operations()
{
    const auto abc = letters(u"abc"_s);
    QCOMPARE(lettersOf(setByIntersectionWithSet(abc, letters(u"dcb"_s))), u"bc"_s);
    QCOMPARE(lettersOf(setBySubtractingSet(abc, letters(u"bz"_s))), u"ac"_s);
    QCOMPARE(lettersOf(setByUnionWithSet(abc, letters(u"dca"_s))), u"abcd"_s);
    QCOMPARE(lettersOf(setByAddingObject(abc, str(u"z"_s))), u"abcz"_s);
    QCOMPARE(lettersOf(setByRemovingObject(abc, str(u"b"_s))), u"ac"_s);
    QCOMPARE(setByIntersectionWithSet(abc, Set::make())->count(), 0);
    QCOMPARE(lettersOf(abc), u"abc"_s); // untouched
}

void tst_TzNSSetAdditions::unchangedResultsAreTheReceiver()
{
    const auto abc = letters(u"abc"_s);
    QCOMPARE(setByIntersectionWithSet(abc, letters(u"cbaz"_s)), abc);
    QCOMPARE(setBySubtractingSet(abc, letters(u"xy"_s)), abc);
    QCOMPARE(setBySubtractingSet(abc, nullptr), abc);
    QCOMPARE(setByUnionWithSet(abc, letters(u"ba"_s)), abc);
    QCOMPARE(setByAddingObject(abc, str(u"a"_s)), abc);
    QCOMPARE(setByAddingObject(abc, Id()), abc);
    QCOMPARE(setByRemovingObject(abc, str(u"q"_s)), abc);
    QCOMPARE(setByUnionWithSet(nullptr, abc), SetPtr());
}

QTEST_APPLESS_MAIN(tst_TzNSSetAdditions)
#include "tst_TzNSSetAdditions.moc"
