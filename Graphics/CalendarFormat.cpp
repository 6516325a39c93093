#include "Graphics/CalendarFormat.h"

#include <QTimeZone>

namespace tz {

namespace {

QString padded(int value, int width, QChar fill = u'0')
{
    return QStringLiteral("%1").arg(value, width, 10, fill);
}

const QStringList& monthNames()
{
    static const QStringList names =
        QStringLiteral("January,February,March,April,May,June,July,August,September,October,November,December")
            .split(u',');
    return names;
}

const QStringList& dayNames()
{
    static const QStringList names =
        QStringLiteral("Monday,Tuesday,Wednesday,Thursday,Friday,Saturday,Sunday").split(u',');
    return names;
}

QString offsetText(int seconds)
{
    const int minutes = qAbs(seconds) / 60;
    return (seconds < 0 ? u'-' : u'+') + padded(minutes / 60, 2) + padded(minutes % 60, 2);
}

} // namespace

QString stringWithCalendarFormat(const QDateTime& moment, QStringView format)
{
    if (!moment.isValid())
        return {};
    const QDate date = moment.date();
    const QTime time = moment.time();
    QString text;
    text.reserve(format.size() + 16);
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c != u'%' || i + 1 == format.size()) {
            text.append(c);
            continue;
        }
        const char16_t spec = format[++i].unicode();
        switch (spec) {
        case u'Y': text.append(padded(date.year(), 4)); break;
        case u'y': text.append(padded(qAbs(date.year()) % 100, 2)); break;
        case u'm': text.append(padded(date.month(), 2)); break;
        case u'd': text.append(padded(date.day(), 2)); break;
        case u'e': text.append(padded(date.day(), 2, u' ')); break;
        case u'j': text.append(padded(date.dayOfYear(), 3)); break;
        case u'H': text.append(padded(time.hour(), 2)); break;
        case u'I': text.append(padded(time.hour() % 12 == 0 ? 12 : time.hour() % 12, 2)); break;
        case u'M': text.append(padded(time.minute(), 2)); break;
        case u'S': text.append(padded(time.second(), 2)); break;
        case u'F': text.append(padded(time.msec(), 3)); break;
        case u'p': text.append(time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM")); break;
        case u'A': text.append(dayNames().at(date.dayOfWeek() - 1)); break;
        case u'a': text.append(dayNames().at(date.dayOfWeek() - 1).first(3)); break;
        case u'B': text.append(monthNames().at(date.month() - 1)); break;
        case u'b': text.append(monthNames().at(date.month() - 1).first(3)); break;
        case u'w': text.append(QString::number(date.dayOfWeek() % 7)); break;
        case u'Z': text.append(moment.timeZoneAbbreviation()); break;
        case u'z': text.append(offsetText(moment.offsetFromUtc())); break;
        case u'%': text.append(u'%'); break;
        default: text.append(u'%'); text.append(QChar(spec));
        }
    }
    return text;
}

} // namespace tz
