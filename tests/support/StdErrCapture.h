// Captures what the process writes on standard error (file descriptor 2) while it lives.
#pragma once

#include <QByteArray>
#include <QTemporaryFile>

#include <unistd.h>

class StdErrCapture
{
public:
    StdErrCapture()
    {
        _file.open();
        ::fflush(stderr);
        _saved = ::dup(STDERR_FILENO);
        ::dup2(_file.handle(), STDERR_FILENO);
    }
    ~StdErrCapture() { restore(); }
    StdErrCapture(const StdErrCapture&) = delete;
    StdErrCapture& operator=(const StdErrCapture&) = delete;

    // Everything written so far; standard error stays captured.
    [[nodiscard]] QByteArray text()
    {
        ::fflush(stderr);
        _file.seek(0);
        return _file.readAll();
    }
    // The captured entries, one per line that begins a log entry.
    [[nodiscard]] int lineCount() { return int(text().count('\n')); }

private:
    void restore()
    {
        if (_saved < 0)
            return;
        ::fflush(stderr);
        ::dup2(_saved, STDERR_FILENO);
        ::close(_saved);
        _saved = -1;
    }

    QTemporaryFile _file;
    int _saved = -1;
};
