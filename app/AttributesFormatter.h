// The details pane's text for a dictionary: one line per entry, "name: value", with the key
// names in the palette's link colour, service prefixes stripped from names and enumerated
// values, nested dictionaries in place.
#pragma once

#include "Foundation/Dictionary.h"
#include "Foundation_Additions/NSAttributedString/AttributedString.h"

class AttributesFormatter
{
public:
    // "[No Data Available]" for a nil or empty dictionary; never empty otherwise.
    [[nodiscard]] static tz::AttributedString stringFromAttributesDict(const tz::DictionaryPtr& dict);
    // The style of key names: the application palette's link colour as foreground (blue on light
    // themes), read at each call so a changed theme shows in the next text; blue without a GUI.
    [[nodiscard]] static tz::Attributes keyAttributes();
};
