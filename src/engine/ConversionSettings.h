#pragma once
// The settings the converters read, as plain values. The engine sits below
// the settings store, so the store fills this (SettingsStore::
// installAsConverterSettings) and tests set it directly. The values are
// asked for at each conversion, so a change applies to the next one.

#include <functional>

namespace engine {

struct ConversionSettings {
    // Empty elements close as ">" (HTML5) instead of " />" (XHTML).
    bool useHtml5 = false;
};

// Where the values come from; an empty source gives the defaults above.
void setConversionSettingsSource(std::function<ConversionSettings()> source);
ConversionSettings conversionSettings();

}  // namespace engine
