// Runs a command-line tool to completion and hands back what it wrote on standard output
// (and, on request, standard error). The caller's thread blocks but keeps turning its own
// event loop in 10 ms steps, each inside its own tz::AutoreleaseScope.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class QEventLoop;
class QProcess;
class QSocketNotifier;

namespace tz {

class SynchronousTaskWrapper
{
public:
    // The tool's standard output (empty, not null, when it wrote nothing); null when the path
    // is not acceptable or the tool cannot be launched. Standard error goes to ours.
    [[nodiscard]] static QByteArray executeWithArgs(const QString& path, const QStringList& arguments);
    // The same; when errors is given it receives the tool's standard error decoded as UTF-8:
    // empty when it wrote none, null when the bytes are not valid UTF-8 or nothing was launched.
    // Error bytes that arrive after standard output has ended are not collected.
    // A tool that exits with a status other than 0 is logged; its output is still returned.
    // A tool that closes its standard output but keeps running is terminated (killed when it
    // ignores that for a second); it is always reaped before this returns.
    [[nodiscard]] static QByteArray executeWithArgsErrors(const QString& path, const QStringList& arguments,
                                                          QString* errors);

    // The path as given when it names an existing non-folder; else, for a bare name, that
    // name under "/usr/bin" when anything exists there; else null. PATH is never consulted.
    [[nodiscard]] static QString validTaskPath(const QString& path);

    SynchronousTaskWrapper(const QString& path, const QStringList& arguments);
    ~SynchronousTaskWrapper();
    SynchronousTaskWrapper(const SynchronousTaskWrapper&) = delete;
    SynchronousTaskWrapper& operator=(const SynchronousTaskWrapper&) = delete;

    // accessors
    [[nodiscard]] QProcess* task() const { return _task.get(); }
    void setTask(std::unique_ptr<QProcess> task);
    [[nodiscard]] const QStringList& arguments() const { return _arguments; }
    void setArguments(const QStringList& arguments) { _arguments = arguments; }
    [[nodiscard]] const QString& taskPath() const { return _taskPath; }
    void setTaskPath(const QString& taskPath) { _taskPath = taskPath; }
    [[nodiscard]] const QByteArray& resultObject() const { return _resultObject; }
    void setResultObject(const QByteArray& resultObject) { _resultObject = resultObject; }
    [[nodiscard]] const QByteArray& errorObject() const { return _errorObject; }
    void setErrorObject(const QByteArray& errorObject) { _errorObject = errorObject; }
    [[nodiscard]] bool done() const { return _done; }
    void setDone(bool done) { _done = done; }
    [[nodiscard]] bool errorsDone() const { return _errorsDone; }
    void setErrorsDone(bool errorsDone) { _errorsDone = errorsDone; }

private:
    // One end of a pipe read on this thread as its data arrives.
    struct ReadHandle
    {
        int fd = -1;
        std::unique_ptr<QSocketNotifier> notifier;
    };

    [[nodiscard]] QByteArray executeTaskWithErrors(QString* errors);
    // Observers of the two pipes: count bytes were just appended to the buffer, 0 at end of file.
    void getData(qsizetype count);
    void getErrorData(qsizetype count);
    // Reads what the pipe holds into target and tells the observer.
    void readAvailable(ReadHandle& handle, QByteArray& target, void (SynchronousTaskWrapper::*observer)(qsizetype));
    [[nodiscard]] bool startReading(ReadHandle& handle, QByteArray& target, int& writeEnd,
                                    void (SynchronousTaskWrapper::*observer)(qsizetype));
    static void closeHandle(ReadHandle& handle);
    // Turns this thread's event loop for 10 ms, or less when quitWaitStep is called meanwhile.
    void waitStep();
    void quitWaitStep();
    [[nodiscard]] bool isRunning() const;
    void finishChild();

    std::unique_ptr<QProcess> _task;
    QStringList _arguments;
    QString _taskPath;
    QByteArray _resultObject;
    QByteArray _errorObject;
    bool _done = false;
    bool _errorsDone = false;

    ReadHandle _output;
    ReadHandle _error;
    QEventLoop* _waitStep = nullptr;
};

} // namespace tz
