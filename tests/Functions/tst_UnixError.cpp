#include "Functions/UnixError.h"

#include <QTest>

#include <cerrno>

using namespace Qt::StringLiterals;

class tst_UnixError : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void knownAndUnknownNumbers();
};

void tst_UnixError::knownAndUnknownNumbers()
{
    QCOMPARE(tz::UnixError::forErrNum(ENOENT), u"No such file or directory"_s);
    QCOMPARE(tz::UnixError::forErrNum(EACCES), u"Permission denied"_s);
    QVERIFY(tz::UnixError::forErrNum(99999).startsWith(u"Unknown error"_s));
}

QTEST_APPLESS_MAIN(tst_UnixError)
#include "tst_UnixError.moc"
