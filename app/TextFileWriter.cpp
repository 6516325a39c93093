#include "app/TextFileWriter.h"

#include <QSaveFile>

namespace TextFileWriter {

bool writeTextFile(const QString& text, const QString& path, QString* error)
{
    const auto failed = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (path.isEmpty())
        return failed(QStringLiteral("No file name given"));
    QSaveFile file(path);
    // Unbuffered: a write cut short (disk full, file size limit) shows in write()'s count; a
    // buffered one would be flushed by commit(), which does not notice a short write.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(file.errorString());
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failed(reason);
    }
    if (!file.commit())
        return failed(file.errorString());
    return true;
}

} // namespace TextFileWriter
