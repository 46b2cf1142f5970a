#pragma once
// Shared helpers for the converter tests: readable strings, captured log
// lines and settings set for one test.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unicode/unistr.h>

#include "engine/Log.h"
#include "engine/ConversionSettings.h"
#include "engine/TextUtilities.h"

namespace testsupport {

inline icu::UnicodeString u(const std::string& utf8) { return engine::fromUtf8(utf8); }
inline std::string s(const icu::UnicodeString& text) { return engine::toUtf8(text); }

// Collects the engine's log lines while alive.
class CapturedLog {
public:
    CapturedLog() {
        engine::setLogHandler([this](const icu::UnicodeString& line) { lines.push_back(s(line)); });
    }
    ~CapturedLog() { engine::setLogHandler({}); }
    bool contains(const std::string& piece) const {
        for (const auto& line : lines)
            if (line.find(piece) != std::string::npos)
                return true;
        return false;
    }
    std::vector<std::string> lines;
};

// Sets the converters' settings for one test and restores the defaults after.
class ScopedSettings {
public:
    explicit ScopedSettings(engine::ConversionSettings values) {
        engine::setConversionSettingsSource([values] { return values; });
    }
    ~ScopedSettings() { engine::setConversionSettingsSource(nullptr); }
};

}  // namespace testsupport
