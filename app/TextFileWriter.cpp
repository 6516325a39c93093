#include "app/TextFileWriter.h"

#include <QSaveFile>

namespace TextFileWriter {

bool writeTextFile(const QString& text, const QString& path)
{
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace TextFileWriter
