// The details pane's text for a dictionary: one line per entry, "name: value", with the key
// names in blue, service prefixes stripped from names and values, nested dictionaries in place.
#pragma once

#include "Foundation/Dictionary.h"
#include "Foundation_Additions/NSAttributedString/AttributedString.h"

class AttributesFormatter
{
public:
    // "[No Data Available]" for a nil or empty dictionary; never empty otherwise.
    [[nodiscard]] static tz::AttributedString stringFromAttributesDict(const tz::DictionaryPtr& dict);
    // The style of key names: blue foreground. Made on first use, from any thread.
    [[nodiscard]] static const tz::Attributes& keyAttributes();
};
