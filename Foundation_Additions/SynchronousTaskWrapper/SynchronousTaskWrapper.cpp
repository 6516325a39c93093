#include "Foundation_Additions/SynchronousTaskWrapper/SynchronousTaskWrapper.h"

#include "Foundation/Array.h"
#include "Foundation/AutoreleaseScope.h"
#include "Foundation/LogLine.h"
#include "Foundation/String.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QSocketNotifier>
#include <QStringDecoder>
#include <QTimer>

#include <cerrno>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace tz {

namespace {

constexpr int waitStepMs = 10;
// How long a child whose output has ended may take to exit before it is asked to terminate,
// and how long it then has before it is killed.
constexpr int exitSettleMs = 50;
constexpr int terminateGraceMs = 1000;
constexpr qsizetype minimumRead = 64 * 1024;
// A larger pipe means fewer wake-ups for tools that write a lot.
constexpr int pipeSize = 1024 * 1024;

const QString executeFunction = QStringLiteral("-[SynchronousTaskWrapper(privateMethods) executeTaskWithErrors:]");

// Strict: null for bytes that are not valid UTF-8, empty (not null) for no bytes.
QString stringFromUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return {};
    return text.isNull() ? QStringLiteral("") : text;
}

std::shared_ptr<const Array> arrayFromStrings(const QStringList& strings)
{
    QList<Id> objects;
    objects.reserve(strings.size());
    for (const QString& s : strings)
        objects.append(String::make(s));
    return Array::make(std::move(objects));
}

// Makes fd the child's descriptor target (run between fork and exec: async-signal-safe calls only).
void redirect(int fd, int target)
{
    if (fd < 0)
        return;
    if (fd == target)
        ::fcntl(fd, F_SETFD, 0);
    else
        ::dup2(fd, target);
}

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

QByteArray SynchronousTaskWrapper::executeWithArgs(const QString& path, const QStringList& arguments)
{
    return executeWithArgsErrors(path, arguments, nullptr);
}

QByteArray SynchronousTaskWrapper::executeWithArgsErrors(const QString& path, const QStringList& arguments,
                                                         QString* errors)
{
    if (errors)
        *errors = QString();
    QByteArray result;
    QString errorText;
    {
        AutoreleaseScope scope;
        SynchronousTaskWrapper wrapper(path, arguments);
        if (wrapper.taskPath().isNull())
            return {};
        result = wrapper.executeTaskWithErrors(errors ? &errorText : nullptr);
    }
    if (errors)
        *errors = errorText;
    return result;
}

QString SynchronousTaskWrapper::validTaskPath(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo given(path);
    if (given.exists() && !given.isDir())
        return path;
    if (!path.contains(u'/')) {
        const QString candidate = QStringLiteral("/usr/bin/") + path;
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return {};
}

SynchronousTaskWrapper::SynchronousTaskWrapper(const QString& path, const QStringList& arguments)
    : _arguments(arguments),
      _taskPath(validTaskPath(path)),
      _resultObject("")
{}

SynchronousTaskWrapper::~SynchronousTaskWrapper()
{
    closeHandle(_output);
    closeHandle(_error);
    if (_task && _task->state() != QProcess::NotRunning) {
        _task->kill();
        _task->waitForFinished(-1);
    }
}

void SynchronousTaskWrapper::setTask(std::unique_ptr<QProcess> task)
{
    if (task.get() != _task.get())
        _task = std::move(task);
}

QByteArray SynchronousTaskWrapper::executeTaskWithErrors(QString* errors)
{
    AutoreleaseScope scope;
    setTask(std::make_unique<QProcess>());
    _task->setProgram(_taskPath);
    _task->setArguments(_arguments);
    _task->setInputChannelMode(QProcess::ForwardedInputChannel);
    _task->setProcessChannelMode(errors ? QProcess::SeparateChannels : QProcess::ForwardedErrorChannel);
    // The pipes are our own, read on this thread: QProcess does not report a standard output
    // that ends while the child keeps running, and the runner waits for exactly that.
    _task->setStandardOutputFile(QProcess::nullDevice());
    if (errors)
        _task->setStandardErrorFile(QProcess::nullDevice());

    int outputWrite = -1;
    int errorWrite = -1;
    bool ready = startReading(_output, _resultObject, outputWrite, &SynchronousTaskWrapper::getData);
    if (ready && errors)
        ready = startReading(_error, _errorObject, errorWrite, &SynchronousTaskWrapper::getErrorData);
    _task->setChildProcessModifier([outputWrite, errorWrite] {
        redirect(outputWrite, STDOUT_FILENO);
        redirect(errorWrite, STDERR_FILENO);
    });
    QObject::connect(_task.get(), &QProcess::finished, _task.get(), [this] { quitWaitStep(); });

    QString failureName;
    QString failureReason;
    if (!ready) {
        failureName = QStringLiteral("NSFileHandleOperationException");
        failureReason = QStringLiteral("cannot create a pipe");
    } else {
        _task->start(QIODevice::ReadOnly);
        closeFd(outputWrite);
        closeFd(errorWrite);
        if (!_task->waitForStarted(-1)) {
            failureName = QStringLiteral("NSInvalidArgumentException");
            failureReason = _task->errorString();
        }
    }
    closeFd(outputWrite);
    closeFd(errorWrite);

    if (failureName.isNull()) {
        while (isRunning() && !_done)
            waitStep();
        while (!_done)
            waitStep();
        finishChild();
        closeHandle(_output);
        closeHandle(_error);
        const int status = _task->exitCode();
        if (status != 0 || _task->exitStatus() != QProcess::NormalExit)
            TZ_LOG_LINE("-[SynchronousTaskWrapper(privateMethods) executeTaskWithErrors:]",
                        "Task ended badly. Status: %d, arguments: %@", status, arrayFromStrings(_arguments));
    } else {
        closeHandle(_output);
        closeHandle(_error);
        logException(__FILE__, __LINE__, executeFunction, failureName, failureReason, Id());
        setResultObject(QByteArray());
    }
    _output.notifier.reset();
    _error.notifier.reset();

    if (errors)
        *errors = stringFromUtf8(_errorObject);
    return _resultObject;
}

bool SynchronousTaskWrapper::startReading(ReadHandle& handle, QByteArray& target, int& writeEnd,
                                          void (SynchronousTaskWrapper::*observer)(qsizetype))
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    ::fcntl(fds[0], F_SETFL, ::fcntl(fds[0], F_GETFL) | O_NONBLOCK);
    ::fcntl(fds[0], F_SETPIPE_SZ, pipeSize);
    handle.fd = fds[0];
    writeEnd = fds[1];
    handle.notifier = std::make_unique<QSocketNotifier>(qintptr(handle.fd), QSocketNotifier::Read);
    QObject::connect(handle.notifier.get(), &QSocketNotifier::activated, handle.notifier.get(),
                     [this, &handle, &target, observer] { readAvailable(handle, target, observer); });
    return true;
}

void SynchronousTaskWrapper::readAvailable(ReadHandle& handle, QByteArray& target,
                                           void (SynchronousTaskWrapper::*observer)(qsizetype))
{
    if (handle.fd < 0)
        return;
    // Read straight into the collecting buffer, as much as the pipe holds.
    int available = 0;
    if (::ioctl(handle.fd, FIONREAD, &available) != 0)
        available = 0;
    const bool wasNull = target.isNull();
    const qsizetype before = target.size();
    const qsizetype want = qMax<qsizetype>(available, minimumRead);
    target.resize(before + want);
    const ssize_t n = ::read(handle.fd, target.data() + before, std::size_t(want));
    target.resize(before + qMax<qsizetype>(n, 0));
    if (wasNull && target.isEmpty())
        target = QByteArray();
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    // A read error ends the output like end of file does.
    (this->*observer)(n > 0 ? qsizetype(n) : 0);
}

void SynchronousTaskWrapper::getData(qsizetype count)
{
    AutoreleaseScope scope;
    if (count > 0) {
        setDone(false);
    } else {
        closeHandle(_output);
        setDone(true);
        quitWaitStep();
    }
}

void SynchronousTaskWrapper::getErrorData(qsizetype count)
{
    AutoreleaseScope scope;
    if (count > 0) {
        setErrorsDone(false);
    } else {
        closeHandle(_error);
        setErrorsDone(true);
    }
}

void SynchronousTaskWrapper::closeHandle(ReadHandle& handle)
{
    // The notifier may be the sender of the current call: disable it, destroy it later.
    if (handle.notifier)
        handle.notifier->setEnabled(false);
    closeFd(handle.fd);
}

void SynchronousTaskWrapper::waitStep()
{
    AutoreleaseScope scope;
    QEventLoop loop;
    QTimer::singleShot(waitStepMs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    _waitStep = &loop;
    loop.exec();
    _waitStep = nullptr;
}

void SynchronousTaskWrapper::quitWaitStep()
{
    // What the runner waits for has changed: end the step early rather than sleep it out.
    if (_waitStep)
        _waitStep->quit();
}

bool SynchronousTaskWrapper::isRunning() const
{
    return _task && _task->state() != QProcess::NotRunning;
}

void SynchronousTaskWrapper::finishChild()
{
    // Most tools exit right after their output ends; only one that lingers is asked to stop.
    QDeadlineTimer settle(exitSettleMs);
    while (isRunning() && !settle.hasExpired())
        waitStep();
    _task->terminate();
    QDeadlineTimer grace(terminateGraceMs);
    while (isRunning() && !grace.hasExpired())
        waitStep();
    if (isRunning()) {
        _task->kill();
        _task->waitForFinished(-1);
    }
}

} // namespace tz
