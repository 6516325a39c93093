// Drive-simulation files of any shape: loaded, then every listed drive is asked for its
// information and status and has its tray worked. A listed drive always answers.
#include "Foundation/Dictionary.h"
#include "app/DiscRecording/SimulatedDriveBackend.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <cstdlib>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// The input goes to the loader through a file in memory.
int inputFile()
{
    static const int fd = ::memfd_create("simulation", MFD_CLOEXEC);
    return fd;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    QLoggingCategory::setFilterRules(QStringLiteral("burner.*=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const int fd = inputFile();
    if (fd < 0 || ::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != ssize_t(size))
        std::abort();
    SimulatedDriveBackend backend(QStringLiteral("/proc/self/fd/%1").arg(fd));
    const QStringList drives = backend.drives();
    for (const QString& drive : drives) {
        if (drive.isEmpty() || !backend.info(drive) || !backend.status(drive))
            std::abort();
        const bool open = backend.trayIsOpen(drive);
        (void)backend.ejectMedia(drive);
        if (!backend.closeTray(drive) || backend.trayIsOpen(drive) || (open && !backend.status(drive)))
            std::abort();
    }
    (void)backend.info(QStringLiteral("no such drive"));
    return 0;
}
