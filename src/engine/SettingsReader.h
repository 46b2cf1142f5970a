#pragma once
// The converters read settings through this small interface only; the
// application plugs its settings store in, tests plug an in-memory one.
// Settings are read at each use, so a change applies to the next conversion.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unicode/unistr.h>

namespace engine {

class SettingsReader {
public:
    virtual ~SettingsReader() = default;
    // An absent key reads as false, 0 or nullopt.
    virtual bool boolForKey(const std::string& key) const = 0;
    virtual long long integerForKey(const std::string& key) const = 0;
    virtual std::optional<icu::UnicodeString> stringForKey(const std::string& key) const = 0;
};

// A plain map of values, for tests and for headless use without a store.
class InMemorySettings : public SettingsReader {
public:
    void setBool(const std::string& key, bool value) { values_[key] = value ? u"1" : u"0"; }
    void setInteger(const std::string& key, long long value);
    void setString(const std::string& key, const icu::UnicodeString& value) { values_[key] = value; }
    void remove(const std::string& key) { values_.erase(key); }

    bool boolForKey(const std::string& key) const override;
    long long integerForKey(const std::string& key) const override;
    std::optional<icu::UnicodeString> stringForKey(const std::string& key) const override;

private:
    std::map<std::string, icu::UnicodeString> values_;
};

// The process-wide reader. Until one is installed, every key is absent.
void setSettingsReader(std::shared_ptr<const SettingsReader> reader);
std::shared_ptr<const SettingsReader> settingsReader();

}  // namespace engine
