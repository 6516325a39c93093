// The object-model types that travel through Qt's meta-object system (method signatures,
// invocations, queued calls), declared once for the whole program.
#pragma once

#include "Foundation/Object.h"
#include "Foundation/Range.h"

#include <QMetaType>

Q_DECLARE_METATYPE(tz::Id)
Q_DECLARE_METATYPE(tz::Range)
