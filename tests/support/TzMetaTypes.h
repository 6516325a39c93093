// Lets object-model values serve as columns of data-driven tests.
#pragma once

#include "Foundation/Dictionary.h"
#include "Foundation/MetaTypes.h"

#include <QMetaType>

Q_DECLARE_METATYPE(tz::DictionaryPtr)
