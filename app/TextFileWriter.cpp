#include "app/TextFileWriter.h"

#include "Foundation/AtomicWrite.h"

namespace TextFileWriter {

bool writeTextFile(const QString& text, const QString& path, QString* error)
{
    return tz::writeAtomically(text.toUtf8(), path, error);
}

} // namespace TextFileWriter
