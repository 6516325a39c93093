#include "Foundation_Additions/NSWorkspace/TzNSWorkspaceFindFolder.h"

#include "support/StdErrCapture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Standard folders with a home folder of the test's own: "~" in the expected paths is that home.
class TestFindFolder : public QObject
{
    Q_OBJECT

    QTemporaryDir _dir;
    QString _home;

    QStringList expanded(const QStringList& paths) const
    {
        QStringList result;
        for (const QString& path : paths) {
            if (path.startsWith(u'~'))
                result.append(_home + path.sliced(1));
            else if (!path.startsWith(u'?') || QFileInfo(path.sliced(1)).isDir())
                result.append(path.startsWith(u'?') ? path.sliced(1) : path);
        }
        return result;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(_dir.isValid());
        _home = QDir(_dir.path()).canonicalPath() + u"/home"_s;
        QVERIFY(QDir().mkpath(_home));
        qputenv("HOME", QFile::encodeName(_home));
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
            qunsetenv(name);
    }

    void crossReference()
    {
        tz::initDomainsCrossReference();
        QCOMPARE(tz::carbonDomains(), (QList<qint16>{-32763, -32765, -32764, -32766, -32767}));
        QCOMPARE(tz::carbonDomainNames().value(-32763), u"kUserDomain"_s);
        QCOMPARE(tz::carbonDomainNames().value(-32767), u"kOnAppropriateDisk"_s);
        const QHash<qint32, qint32>& both = tz::domainsCrossReference();
        QCOMPARE(both.size(), 10);
        for (const auto& [older, mask] :
             {std::pair{-32763, 1}, {-32765, 2}, {-32764, 4}, {-32766, 8}, {-32767, 0xFFFF}}) {
            QCOMPARE(both.value(older), mask);
            QCOMPARE(both.value(mask), older);
        }
    }

    void directoriesOfType_data()
    {
        QTest::addColumn<quint32>("type");
        QTest::addColumn<int>("domain");
        QTest::addColumn<QStringList>("folders"); // "?" before a folder the host may lack
        QTest::addColumn<QString>("logged");      // line number and message, or none

        QTest::newRow("newer type, user mask")
            << tz::NSDesktopDirectory << 1 << QStringList{u"~/Desktop"_s} << QString();
        QTest::newRow("newer type, older user domain")
            << tz::NSDesktopDirectory << -32763 << QStringList{u"~/Desktop"_s}
            << u"#58 NS domain 1 substituted for carbon domain -32763"_s;
        QTest::newRow("newer type, older domain without a mask")
            << tz::NSDesktopDirectory << -32762 << QStringList{}
            << u"#64 NS type: 12 mixed with Carbon Domain: -32762"_s;
        QTest::newRow("newer type, all domains")
            << tz::NSApplicationSupportDirectory << 0xFFFF
            << QStringList{u"~/.local/share"_s, u"/usr/local/share"_s, u"/usr/share"_s} << QString();
        QTest::newRow("newer type, on appropriate disk is all domains")
            << tz::NSApplicationDirectory << -32767
            << QStringList{u"~/.local/share/applications"_s, u"/usr/local/share/applications"_s,
                           u"/usr/share/applications"_s}
            << u"#58 NS domain 65535 substituted for carbon domain -32767"_s;
        QTest::newRow("newer type, local and system")
            << tz::NSDocumentationDirectory << 2 + 8 << QStringList{u"/usr/local/share/doc"_s, u"/usr/share/doc"_s}
            << QString();
        QTest::newRow("newer type, network domain") << tz::NSCachesDirectory << 4 << QStringList{} << QString();
        QTest::newRow("newer type, user caches and trash")
            << tz::NSTrashDirectory << 1 << QStringList{u"~/.local/share/Trash"_s} << QString();

        // Older types search all five domains; the user's folder comes again for the last one.
        QTest::newRow("older type, older domain")
            << tz::kDesktopFolderType << -32766 << QStringList{u"~/Desktop"_s, u"~/Desktop"_s} << QString();
        QTest::newRow("older type, user mask")
            << tz::kApplicationSupportFolderType << 1
            << QStringList{u"~/.local/share"_s, u"?/usr/local/share"_s, u"?/usr/share"_s, u"~/.local/share"_s}
            << u"#35 carbon domain -32763 substituted for NS domain 1"_s;
        QTest::newRow("older type, mask without an older domain")
            << tz::kDesktopFolderType << 3 << QStringList{} << u"#41 Carbon type: desk mixed with NS Domain: 3"_s;
        QTest::newRow("older type, preferences")
            << tz::kPreferencesFolderType << -32763 << QStringList{u"~/.config"_s, u"?/etc/xdg"_s, u"~/.config"_s}
            << QString();
        QTest::newRow("unknown older type") << 0x7A7A7A7Au << -32763 << QStringList{} << QString();
    }
    void directoriesOfType()
    {
        QFETCH(quint32, type);
        QFETCH(int, domain);
        QFETCH(QStringList, folders);
        QFETCH(QString, logged);
        StdErrCapture capture;
        QCOMPARE(tz::directoriesOfTypeInDomains(type, domain), expanded(folders));
        const QString text = QString::fromUtf8(capture.text());
        if (logged.isNull()) {
            QCOMPARE(text, QString());
        } else {
            const QString number = logged.section(u' ', 0, 0);
            const QString message = logged.section(u' ', 1);
            const QRegularExpression line(
                uR"(^\S+ \S+ \S+ "TzNSWorkspaceFindFolder\.cpp",%1 \(-\[NSWorkspace\(FindFolder\) directoriesOfType:inDomains:\]\) %2\n$)"_s
                    .arg(QRegularExpression::escape(number), QRegularExpression::escape(message)));
            QVERIFY2(line.match(text).hasMatch(), qPrintable(text));
        }
    }

    void olderLookupsCreateOnlyUserFolders()
    {
        const QString fonts = _home + u"/.local/share/fonts"_s;
        QVERIFY(!QFileInfo::exists(fonts));
        QCOMPARE(tz::findCarbonSystemFolderTypeForDomain(tz::kFontsFolderType, tz::kUserDomain), fonts);
        QVERIFY(QFileInfo(fonts).isDir());
        QCOMPARE(tz::findCarbonSystemFolderTypeForDomain(tz::kFontsFolderType, tz::kOnAppropriateDisk), fonts);
        QVERIFY(tz::findCarbonSystemFolderTypeForDomain(tz::kFontsFolderType, tz::kNetworkDomain).isNull());
        // The newer scheme names folders without making them.
        QCOMPARE(tz::directoriesOfTypeInDomains(tz::NSMusicDirectory, 1), QStringList{_home + u"/Music"_s});
        QVERIFY(!QFileInfo::exists(_home + u"/Music"_s));
    }

    void userFolderThatCannotBeMadeIsLeftOut()
    {
        QFile blocker(_home + u"/blocker"_s);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(blocker.fileName() + u"/cache"_s));
        QVERIFY(tz::findCarbonSystemFolderTypeForDomain(tz::kCachedDataFolderType, tz::kUserDomain).isNull());
        QCOMPARE(tz::findCarbonSystemFolderTypeInDomains(tz::kCachedDataFolderType, {tz::kUserDomain}), QStringList{});
        qunsetenv("XDG_CACHE_HOME");
    }
};

QTEST_GUILESS_MAIN(TestFindFolder)
#include "tst_TzNSWorkspaceFindFolder.moc"
