#include "Foundation_Additions/NSWorkspace/TzNSWorkspaceNameForUid.h"

#include <QTest>

#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TestNameForUid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void names()
    {
        QCOMPARE(tz::nameForUid(0), u"root"_s);
        const passwd* me = ::getpwuid(::geteuid());
        QVERIFY(me);
        QCOMPARE(tz::nameForUid(::geteuid()), QString::fromUtf8(me->pw_name));
        // The largest number is never a user: (uid_t)-1 means "no change" to chown.
        QCOMPARE(tz::nameForUid(0xFFFFFFFFu), u"UNKNOWN"_s);
        QCOMPARE(tz::nameForUid(0xFFFFFFFEu), u"UNKNOWN"_s);
    }
};

QTEST_GUILESS_MAIN(TestNameForUid)
#include "tst_TzNSWorkspaceNameForUid.moc"
