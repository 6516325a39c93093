// Collects what the code under test writes on standard error (log lines) while it lives.
#pragma once

#include <QByteArray>
#include <QTemporaryFile>

#include <unistd.h>

class StderrCapture
{
public:
    StderrCapture()
    {
        if (_file.open()) {
            ::fflush(stderr);
            _saved = ::dup(STDERR_FILENO);
            ::dup2(_file.handle(), STDERR_FILENO);
        }
    }
    ~StderrCapture() { restore(); }
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // Everything written so far; stops capturing.
    QByteArray text()
    {
        restore();
        _file.seek(0);
        return _file.readAll();
    }

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
