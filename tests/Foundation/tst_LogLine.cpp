#include "Foundation/LogLine.h"
#include "Foundation/String.h"
#include "support/StdErrCapture.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_LogLine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void logLineFormat();
    void exceptionReportAndSubclassNotice();
    void oneWriteOneEntry();
};

static QString lastEntryMessage(const QByteArray& captured)
{
    // Strip the entry prefix: "yyyy-MM-dd HH:mm:ss.zzz name[pid:tid] ".
    static const QRegularExpression prefix(
        u"^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} \\S+\\[\\d+:\\d+\\] "_s);
    const QString text = QString::fromUtf8(captured);
    const auto match = prefix.match(text);
    return match.hasMatch() ? text.mid(match.capturedLength()) : u"<no prefix> "_s + text;
}

void tst_LogLine::logLineFormat()
{
    StdErrCapture capture;
    tz::logLine("/some/dir/A.cpp", 212, u"F"_s, u"illegal index value: %d"_s, 7);
    QCOMPARE(lastEntryMessage(capture.text()), u"\"A.cpp\",#212 (F) illegal index value: 7\n"_s);
}

void tst_LogLine::exceptionReportAndSubclassNotice()
{
    {
        StdErrCapture capture;
        tz::logException("x/Task.cpp", 90, u"-[T run]"_s, u"NSInvalidArgumentException"_s, u"bad"_s, tz::Id());
        QCOMPARE(
            lastEntryMessage(capture.text()),
            u"\n*****\nException caught in Task.cpp before line 90 (in -[T run]):\n\t\"NSInvalidArgumentException\"  -- \"bad\" UserInfo: \"(null)\"\n*****\n"_s);
    }
    StdErrCapture capture;
    tz::logSubclassResponsibility("y/Cell.cpp", 12, u"-[Cell draw]"_s);
    QCOMPARE(lastEntryMessage(capture.text()),
             u"*** Subclass Responsibility: -[Cell draw] (\"Cell.cpp\", Line 12) ***\n"_s);
}

void tst_LogLine::oneWriteOneEntry()
{
    StdErrCapture capture;
    TZ_LOG_LINE("f", "\nfirst %@", tz::str(u"x"_s));
    TZ_LOG_LINE("f", "second");
    const QString text = QString::fromUtf8(capture.text());
    QVERIFY(text.contains(u"\"tst_LogLine.cpp\",#"_s));
    QVERIFY(text.contains(u"(f) \nfirst x\n"_s));
    QVERIFY(text.endsWith(u"(f) second\n"_s));
}

QTEST_APPLESS_MAIN(tst_LogLine)
#include "tst_LogLine.moc"
