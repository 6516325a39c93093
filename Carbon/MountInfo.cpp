#include "Carbon/MountInfo.h"

#include <QFile>

namespace tz {

namespace {

bool isOctal(char c)
{
    return c >= '0' && c <= '7';
}

QString unescaped(QByteArrayView field)
{
    QByteArray bytes;
    bytes.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] <= '3' && isOctal(field[i + 1])
            && isOctal(field[i + 2]) && isOctal(field[i + 3])) {
            bytes.append(char(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) | (field[i + 3] - '0')));
            i += 3;
        } else {
            bytes.append(field[i]);
        }
    }
    return QFile::decodeName(bytes);
}

bool parseNumber(QByteArrayView field, int* value)
{
    bool ok = false;
    const int number = field.toByteArray().toInt(&ok, 10);
    if (!ok || number < 0)
        return false;
    *value = number;
    return true;
}

bool parseDevice(QByteArrayView field, quint32* major, quint32* minor)
{
    const qsizetype colon = field.indexOf(':');
    if (colon < 0)
        return false;
    bool okMajor = false;
    bool okMinor = false;
    *major = field.first(colon).toByteArray().toUInt(&okMajor, 10);
    *minor = field.sliced(colon + 1).toByteArray().toUInt(&okMinor, 10);
    return okMajor && okMinor;
}

bool parseLine(QByteArrayView line, MountInfoEntry* entry)
{
    QList<QByteArrayView> fields;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == ' ') {
            if (i > start)
                fields.append(line.sliced(start, i - start));
            start = i + 1;
        }
    }
    qsizetype separator = -1;
    for (qsizetype i = 6; i < fields.size(); ++i) {
        if (fields.at(i) == "-") {
            separator = i;
            break;
        }
    }
    if (separator < 0 || fields.size() < separator + 3)
        return false;
    if (!parseNumber(fields.at(0), &entry->mountId) || !parseNumber(fields.at(1), &entry->parentId)
        || !parseDevice(fields.at(2), &entry->major, &entry->minor))
        return false;
    entry->root = unescaped(fields.at(3));
    entry->mountPoint = unescaped(fields.at(4));
    entry->mountOptions = unescaped(fields.at(5));
    entry->fileSystemType = unescaped(fields.at(separator + 1));
    entry->source = unescaped(fields.at(separator + 2));
    entry->superOptions = separator + 3 < fields.size() ? unescaped(fields.at(separator + 3)) : QString();
    return true;
}

} // namespace

QList<MountInfoEntry> parseMountInfo(QByteArrayView text)
{
    QList<MountInfoEntry> entries;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        MountInfoEntry entry;
        if (parseLine(text.sliced(start, end - start), &entry))
            entries.append(entry);
        start = end + 1;
    }
    return entries;
}

QList<MountInfoEntry> readMountInfo()
{
    QFile file(QStringLiteral("/proc/self/mountinfo"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseMountInfo(file.readAll());
}

} // namespace tz
