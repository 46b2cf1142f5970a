#include "engine/Log.h"

#include <iostream>
#include <mutex>
#include <string>

#include "engine/TextUtilities.h"

namespace engine {
namespace {

std::mutex handlerMutex;
LogHandler currentHandler;

void writeToStandardError(const icu::UnicodeString& line) {
    std::string utf8;
    line.toUTF8String(utf8);
    std::cerr << utf8 << '\n';
}

}  // namespace

void setLogHandler(LogHandler handler) {
    std::lock_guard lock(handlerMutex);
    currentHandler = std::move(handler);
}

void log(const icu::UnicodeString& format, std::initializer_list<icu::UnicodeString> arguments) {
    icu::UnicodeString line = formatted(format, arguments);
    LogHandler handler;
    {
        std::lock_guard lock(handlerMutex);
        handler = currentHandler;
    }
    if (handler)
        handler(line);
    else
        writeToStandardError(line);
}

}  // namespace engine
