// Command lines of any shape: the input is the arguments after the program's name, each ended
// by a NUL byte (UTF-8). Reading them never acts; a refusal always says why.
#include "app/CommandLine.h"

#include <QByteArray>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList arguments{QStringLiteral("burner-catalogue")};
    for (const QByteArray& argument : input.split('\0'))
        arguments.append(QString::fromUtf8(argument));
    if (!input.isEmpty() && input.endsWith('\0'))
        arguments.removeLast();

    using Action = CommandLine::Request::Action;
    const CommandLine::Request request = CommandLine::parseArguments(arguments);
    if (request.action == Action::Invalid && request.error.isEmpty())
        std::abort();
    if ((request.action == Action::List || request.action == Action::Details || request.action == Action::Eject)
        && !request.error.isEmpty())
        std::abort();
    if (CommandLine::wantsCommandLine(arguments) != (request.action != Action::Window))
        std::abort();
    (void)CommandLine::withoutToolkitOptions(arguments);
    return 0;
}
