// End to end: the program as `cmake --install` lays it out, run on a virtual X display.
#include "app/AppInfo.h"
#include "app/DeviceRows.h"
#include "app/DeviceSupportProfile.h"
#include "ScreenPicture.h"
#include "support/XvfbServer.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSBundle/Bundle.h"
#include "Foundation_Additions/NSBundle/ResourcePath.h"
#include "Foundation_Additions/NSBundle/TzNSBundleAdditions.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class tst_Installed : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void installsItsFiles_data();
    void installsItsFiles();
    void listsTheInstalledProfile();
    void dataFolderIsTheBundle();
    void showsItsWindowOnADisplay();

private:
    [[nodiscard]] static QString installed(const QString& relative)
    {
        return QDir(QStringLiteral(INSTALL_PREFIX)).filePath(relative);
    }
    [[nodiscard]] static QString program() { return installed(QStringLiteral("bin/burner-catalogue")); }
    [[nodiscard]] static QProcessEnvironment withoutDisplay();
};

QProcessEnvironment tst_Installed::withoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "BURNER_CATALOGUE_SIMULATE"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

void tst_Installed::installsItsFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("program") << QStringLiteral("bin/burner-catalogue");
    QTest::newRow("desktop file") << QStringLiteral("share/applications/burner-catalogue.desktop");
    QTest::newRow("icon") << QStringLiteral("share/icons/hicolor/scalable/apps/burner-catalogue.svg");
    QTest::newRow("metainfo") << QStringLiteral("share/metainfo/io.github.burnercatalogue.metainfo.xml");
    QTest::newRow("profile") << QStringLiteral("share/burner-catalogue/DeviceSupport.drprofile");
    QTest::newRow("simulation") << QStringLiteral("share/burner-catalogue/simulated-drives.plist");
    QTest::newRow("information dictionary") << QStringLiteral("share/burner-catalogue/Contents/Info.plist");
}

void tst_Installed::dataFolderIsTheBundle()
{
    tz::bundle::setMainBundlePath(installed(QStringLiteral("share/burner-catalogue")));
    const auto info = tz::bundle::infoDictionary();
    QVERIFY(info);
    QCOMPARE(tz::textOf(info->objectForKey(QStringLiteral("CFBundleShortVersionString"))), AppInfo::version());
    QCOMPARE(tz::textOf(info->objectForKey(QStringLiteral("CFBundleVersion"))), AppInfo::version());
    QCOMPARE(tz::textOf(info->objectForKey(QStringLiteral("CFBundleName"))), AppInfo::displayName());
    QCOMPARE(tz::openableDocumentTypes(), (QStringList{QStringLiteral("DRPROFILE"), QStringLiteral("PLIST")}));
    QCOMPARE(tz::ResourcePath(QStringLiteral("simulated-drives.plist")),
             installed(QStringLiteral("share/burner-catalogue/simulated-drives.plist")));
    tz::bundle::setMainBundlePath(QString());
}

void tst_Installed::installsItsFiles()
{
    QFETCH(QString, file);
    const QFileInfo info(installed(file));
    QVERIFY2(info.isFile() && info.size() > 0, qPrintable(info.filePath()));
    if (file.startsWith(QLatin1String("bin/")))
        QVERIFY(info.isExecutable());
}

void tst_Installed::listsTheInstalledProfile()
{
    const QString profile = installed(QStringLiteral("share/burner-catalogue/DeviceSupport.drprofile"));
    const qsizetype models = DeviceRows::supportedRowsFromProfile(DeviceSupportProfile::readProfile(profile)).size();
    QVERIFY(models > 200);

    QStringList outputs;
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--list"), QStringLiteral("supported")},
          QStringList{QStringLiteral("--profile"), profile, QStringLiteral("--list"), QStringLiteral("supported")}}) {
        QProcess process;
        process.setProcessEnvironment(withoutDisplay());
        process.start(program(), arguments);
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY(out.startsWith(QLatin1String("Model\tManufacturer\n")));
        QCOMPARE(out.count(u'\n'), models + 1);
        outputs.append(out);
    }
    // With no --profile and no system profile, the built-in one is the installed one.
    if (!QFileInfo::exists(DeviceSupportProfile::pathToFile)
        && !QFileInfo::exists(DeviceSupportProfile::leopardPathToFile))
        QCOMPARE(outputs.at(0), outputs.at(1));
}

void tst_Installed::showsItsWindowOnADisplay()
{
    // A display of our own, on a number the server picks.
    XvfbServer xvfb;
    const QString display = QString::fromLatin1(
        xvfb.start({QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1024x768x24")}));
    QVERIFY2(!display.isEmpty(), "Xvfb did not start (scripts/install-deps installs it)");

    const QTemporaryDir home;
    QProcessEnvironment environment = withoutDisplay();
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    QProcess app;
    app.setProcessEnvironment(environment);
    // Qt's own options go to Qt, beside the program's.
    app.start(program(),
              {QStringLiteral("-style"), QStringLiteral("Fusion"), QStringLiteral("--simulate"),
               installed(QStringLiteral("share/burner-catalogue/simulated-drives.plist"))});
    QVERIFY(app.waitForStarted(10000));
    const auto stopApp = qScopeGuard([&app] {
        app.terminate();
        if (!app.waitForFinished(5000))
            app.kill();
    });

    // The screen, once the window is drawn: an empty X screen is one colour.
    const QString screenshot = QStringLiteral(SCREENSHOT);
    QFile::remove(screenshot);
    int colours = 0;
    QElapsedTimer timer;
    timer.start();
    while (colours < 50 && timer.elapsed() < 20000) {
        QTest::qWait(250);
        QVERIFY2(app.state() == QProcess::Running, app.readAllStandardError().constData());
        QProcess grabber;
        grabber.setProcessEnvironment(environment);
        grabber.start(QStringLiteral(SCREEN_GRABBER), {screenshot});
        QVERIFY(grabber.waitForFinished(10000));
        const QImage image(screenshot);
        if (image.isNull())
            continue;
        colours = picture::distinctColours(image);
    }
    QVERIFY2(colours >= 50, qPrintable(QStringLiteral("%1 colours in %2").arg(colours).arg(screenshot)));
}

QTEST_GUILESS_MAIN(tst_Installed)
#include "tst_Installed.moc"
