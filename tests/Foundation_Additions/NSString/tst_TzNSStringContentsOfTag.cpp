#include "Foundation_Additions/NSString/TzNSStringContentsOfTag.h"

#include "support/StdErrCapture.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestContentsOfTag : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void contents_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QStringList>("contents");
        QTest::addColumn<QStringList>("logged");

        const QString unbalanced = u"Unbalanced Tag:"_s;
        QTest::newRow("two occurrences") << u"<b>one</b> and <b>two</b>"_s << u"b"_s << QStringList{u"one"_s, u"two"_s}
                                         << QStringList{};
        QTest::newRow("absent") << u"plain <i>text</i>"_s << u"b"_s << QStringList{}
                                << QStringList{u"Tag \"b\" not present in plain <i>text</i>"_s};
        QTest::newRow("no nesting") << u"<a>x<a>y</a></a>"_s << u"a"_s << QStringList{u"y"_s}
                                    << QStringList{u"Unbalanced Tag:a in <a>x<a>y</a></a>"_s};
        QTest::newRow("never balanced") << u"<a>x"_s << u"a"_s << QStringList{} << QStringList{unbalanced};
        QTest::newRow("empty contents") << u"<t></t>"_s << u"t"_s << QStringList{u""_s} << QStringList{};
        QTest::newRow("attributes not recognised")
            << u"<b x=1>y</b>"_s << u"b"_s << QStringList{} << QStringList{u"not present"_s};
    }
    void contents()
    {
        QFETCH(QString, text);
        QFETCH(QString, tag);
        QFETCH(QStringList, contents);
        QFETCH(QStringList, logged);
        StdErrCapture capture;
        const QStringList result = tz::contentsOfTag(text, tag);
        const QString log = QString::fromUtf8(capture.text());
        QCOMPARE(result, contents);
        QCOMPARE(log.count(u"(-[NSString(ContentsOfTag) contentsOfTag:]) "_s), logged.size());
        for (const QString& message : logged)
            QVERIFY2(log.contains(message), qPrintable(log));
    }
};

QTEST_GUILESS_MAIN(TestContentsOfTag)
#include "tst_TzNSStringContentsOfTag.moc"
