#pragma once
// The converters' diagnostic log. The converters know nothing of Qt, so they
// write through this hook; the application plugs its logging category in.

#include <functional>
#include <initializer_list>
#include <unicode/unistr.h>

namespace engine {

using LogHandler = std::function<void(const icu::UnicodeString& line)>;

// Replaces the handler for the whole process; an empty handler restores the
// default, which writes the line to standard error.
void setLogHandler(LogHandler handler);

// Fills each "%@" of the format, in order, with the next argument and hands
// the line to the handler. Missing arguments leave their "%@" as written.
void log(const icu::UnicodeString& format, std::initializer_list<icu::UnicodeString> arguments = {});

}  // namespace engine
