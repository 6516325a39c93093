#include "app/TextFileWriter.h"

#include "Foundation/AtomicWrite.h"

namespace TextFileWriter {

bool writeTextFile(const QString& text, const QString& path)
{
    return tz::writeAtomically(text.toUtf8(), path);
}

} // namespace TextFileWriter
