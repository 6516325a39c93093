#include "Widgets/TzNSMenuAdditions.h"

#include <QApplication>
#include <QActionEvent>
#include <QPointer>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The actions a widget is told are removed, in order.
class RemovalLog : public QObject
{
public:
    QList<QAction*> removed;

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::ActionRemoved)
            removed.append(static_cast<QActionEvent*>(event)->action());
        return false;
    }
};

} // namespace

class tst_TzNSMenuAdditions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void removesEveryItemInOrder()
    {
        QMenu menu;
        QMenu other;
        QAction shared(u"Shared"_s);
        other.addAction(&shared);
        QPointer<QAction> first = menu.addAction(u"First"_s);
        menu.addAction(&shared);
        menu.addSeparator();
        QPointer<QMenu> submenu = menu.addMenu(u"More"_s);
        QPointer<QAction> last = menu.addAction(u"Last"_s);
        const QList<QAction*> items = menu.actions();
        QCOMPARE(items.size(), 5);

        RemovalLog log;
        menu.installEventFilter(&log);
        tz::removeAllItems(menu);
        QVERIFY(menu.actions().isEmpty());
        QCOMPARE(log.removed, items);
        // The menu's own actions go with it; the shared one stays in the other menu.
        QVERIFY(!first);
        QVERIFY(!last);
        QCOMPARE(other.actions(), QList<QAction*>{&shared});
        QVERIFY(submenu);
    }

    void emptyMenuStaysEmpty()
    {
        QMenu menu;
        RemovalLog log;
        menu.installEventFilter(&log);
        tz::removeAllItems(menu);
        QVERIFY(menu.actions().isEmpty());
        QVERIFY(log.removed.isEmpty());
    }
};

QTEST_MAIN(tst_TzNSMenuAdditions)
#include "tst_TzNSMenuAdditions.moc"
