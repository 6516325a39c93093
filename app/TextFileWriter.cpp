#include "app/TextFileWriter.h"

#include <QSaveFile>

namespace TextFileWriter {

bool writeTextFile(const QString& text, const QString& path)
{
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    // Unbuffered: a write cut short (disk full, file size limit) shows in write()'s count; a
    // buffered one would be flushed by commit(), which does not notice a short write.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace TextFileWriter
