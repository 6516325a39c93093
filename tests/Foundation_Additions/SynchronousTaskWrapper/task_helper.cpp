// A child program for the task runner's tests. It writes its process id to the file named by
// TZ_TASK_HELPER_PID_FILE when that is set. Options, applied in this order:
//   --ignore-term     ignore SIGTERM
//   --args A...       write each later argument followed by a newline, then stop parsing
//   --out N           write N bytes ("abc...z" repeated) to standard output
//   --err N           write N bytes ("e") to standard error
//   --bad-utf8-err    write bytes that are not UTF-8 to standard error
//   --close-stdout    close standard output
//   --late-writer S   fork a child that writes "late" to standard output after S seconds; exit at once
//   --linger S        keep running for S seconds
//   --exit N          exit with status N
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

void writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        data += n;
        size -= std::size_t(n);
    }
}

void writePattern(int fd, long long count, bool letters)
{
    std::vector<char> block(64 * 1024);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = letters ? char('a' + i % 26) : 'e';
    // 65536 is not a multiple of 26: keep the pattern running across blocks.
    long long written = 0;
    while (written < count) {
        const std::size_t offset = letters ? std::size_t(written % 26) : 0;
        const std::size_t n = std::size_t(std::min<long long>(count - written, 60000));
        writeAll(fd, block.data() + offset, n);
        written += (long long)n;
    }
}

void sleepFor(double seconds)
{
    timespec t{time_t(seconds), long((seconds - double(time_t(seconds))) * 1e9)};
    while (::nanosleep(&t, &t) != 0 && errno == EINTR) {}
}

} // namespace

int main(int argc, char** argv)
{
    if (const char* pidFile = std::getenv("TZ_TASK_HELPER_PID_FILE")) {
        if (FILE* f = std::fopen(pidFile, "w")) {
            std::fprintf(f, "%d\n", int(::getpid()));
            std::fclose(f);
        }
    }
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "0";
        if (option == "--ignore-term") {
            std::signal(SIGTERM, SIG_IGN);
        } else if (option == "--args") {
            for (int j = i + 1; j < argc; ++j) {
                writeAll(STDOUT_FILENO, argv[j], std::strlen(argv[j]));
                writeAll(STDOUT_FILENO, "\n", 1);
            }
            break;
        } else if (option == "--out") {
            writePattern(STDOUT_FILENO, std::atoll(value), true);
            ++i;
        } else if (option == "--err") {
            writePattern(STDERR_FILENO, std::atoll(value), false);
            ++i;
        } else if (option == "--bad-utf8-err") {
            writeAll(STDERR_FILENO, "ok\xff\xfe", 4);
        } else if (option == "--close-stdout") {
            ::close(STDOUT_FILENO);
        } else if (option == "--late-writer") {
            const double delay = std::atof(value);
            if (::fork() == 0) {
                sleepFor(delay);
                writeAll(STDOUT_FILENO, "late", 4);
                ::_exit(0);
            }
            return status;
        } else if (option == "--linger") {
            sleepFor(std::atof(value));
            ++i;
        } else if (option == "--exit") {
            status = std::atoi(value);
            ++i;
        }
    }
    return status;
}
