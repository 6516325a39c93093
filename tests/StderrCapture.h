// Collects what the process writes on standard error (where log lines go) while it lives.
#pragma once

#include <QString>

#include <cstdio>

#include <unistd.h>

class StderrCapture
{
public:
    StderrCapture() : _file(std::tmpfile())
    {
        std::fflush(stderr);
        _saved = ::dup(STDERR_FILENO);
        if (_file)
            ::dup2(::fileno(_file), STDERR_FILENO);
    }
    ~StderrCapture()
    {
        restore();
        if (_file)
            std::fclose(_file);
    }
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // Everything written so far; stops the capture.
    QString text()
    {
        restore();
        if (!_file)
            return {};
        QByteArray bytes;
        std::rewind(_file);
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, _file)) > 0;)
            bytes.append(buffer, qsizetype(n));
        return QString::fromUtf8(bytes);
    }

private:
    void restore()
    {
        if (_saved >= 0) {
            std::fflush(stderr);
            ::dup2(_saved, STDERR_FILENO);
            ::close(_saved);
            _saved = -1;
        }
    }

    std::FILE* _file;
    int _saved = -1;
};
