// A notification: its name, its sender (compared by identity) and optional user information.
#pragma once

#include "Foundation/Dictionary.h"

#include <QMetaType>
#include <QString>

namespace tz {

struct Notification
{
    QString name;
    Id object;
    DictionaryPtr userInfo;
};

} // namespace tz

Q_DECLARE_METATYPE(tz::Notification)
