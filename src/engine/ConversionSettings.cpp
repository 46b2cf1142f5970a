#include "engine/ConversionSettings.h"

#include <mutex>

namespace engine {
namespace {

std::mutex sourceMutex;
std::function<ConversionSettings()> installedSource;

}  // namespace

void setConversionSettingsSource(std::function<ConversionSettings()> source) {
    std::lock_guard lock(sourceMutex);
    installedSource = std::move(source);
}

ConversionSettings conversionSettings() {
    std::function<ConversionSettings()> source;
    {
        std::lock_guard lock(sourceMutex);
        source = installedSource;
    }
    return source ? source() : ConversionSettings{};
}

}  // namespace engine
