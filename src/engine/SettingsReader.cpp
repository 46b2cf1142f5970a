#include "engine/SettingsReader.h"

#include <mutex>

#include "engine/TextUtilities.h"

namespace engine {
namespace {

std::mutex readerMutex;
std::shared_ptr<const SettingsReader> installedReader = std::make_shared<InMemorySettings>();

}  // namespace

void InMemorySettings::setInteger(const std::string& key, long long value) {
    values_[key] = number(value);
}

bool InMemorySettings::boolForKey(const std::string& key) const {
    auto found = values_.find(key);
    if (found == values_.end())
        return false;
    const icu::UnicodeString& value = found->second;
    return value == u"1" || value.caseCompare(u"true", 0) == 0 || value.caseCompare(u"yes", 0) == 0;
}

long long InMemorySettings::integerForKey(const std::string& key) const {
    auto found = values_.find(key);
    if (found == values_.end())
        return 0;
    try {
        return std::stoll(toUtf8(found->second));
    } catch (const std::exception&) {
        return 0;
    }
}

std::optional<icu::UnicodeString> InMemorySettings::stringForKey(const std::string& key) const {
    auto found = values_.find(key);
    if (found == values_.end())
        return std::nullopt;
    return found->second;
}

void setSettingsReader(std::shared_ptr<const SettingsReader> reader) {
    std::lock_guard lock(readerMutex);
    installedReader = reader ? std::move(reader) : std::make_shared<InMemorySettings>();
}

std::shared_ptr<const SettingsReader> settingsReader() {
    std::lock_guard lock(readerMutex);
    return installedReader;
}

}  // namespace engine
