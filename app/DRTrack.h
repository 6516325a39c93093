// A track of a disc, known only by its property dictionary.
#pragma once

#include "Foundation/Dictionary.h"

class DRTrack final : public tz::Object
{
public:
    explicit DRTrack(tz::DictionaryPtr properties) : _properties(std::move(properties)) {}

    [[nodiscard]] const tz::DictionaryPtr& properties() const { return _properties; }

    [[nodiscard]] QString className() const override { return QStringLiteral("DRTrack"); }
    // "DRTrack; Properties: %@" with the details formatter's plain text of the properties.
    [[nodiscard]] QString description() const override;

private:
    tz::DictionaryPtr _properties;
};
