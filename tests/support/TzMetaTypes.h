// Lets object-model values serve as columns of data-driven tests.
#pragma once

#include "Foundation/Dictionary.h"

#include <QMetaType>

Q_DECLARE_METATYPE(tz::Id)
Q_DECLARE_METATYPE(tz::DictionaryPtr)
