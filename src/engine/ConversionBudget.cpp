#include "engine/ConversionBudget.h"

#include <algorithm>

namespace engine {
namespace {

using Clock = std::chrono::steady_clock;

thread_local ConversionBudget* current = nullptr;
thread_local unsigned callsSinceClock = 0;

// The clock costs some tens of nanoseconds; a loop turn may cost less.
constexpr unsigned kCallsPerClockReading = 64;

// ICU calls this every 10,000 steps of a search: false abandons it.
UBool keepMatching(const void*, int32_t) {
    if (!conversionShouldStop())
        return true;
    // Whatever takes the failed search for "no match" meets the next stop
    // point with the clock read.
    callsSinceClock = kCallsPerClockReading;
    return false;
}

}  // namespace

ConversionBudget::ConversionBudget(std::chrono::milliseconds limit, CancelFlag cancelled)
    : deadline_(Clock::now() + limit), cancelled_(std::move(cancelled)), outer_(current) {
    if (outer_)
        deadline_ = std::min(deadline_, outer_->deadline_);
    current = this;
}

ConversionBudget::~ConversionBudget() {
    current = outer_;
}

bool ConversionBudget::exhausted() const {
    if (cancelled_ && cancelled_->load(std::memory_order_relaxed))
        return true;
    if (outer_ && outer_->exhausted())
        return true;
    return Clock::now() >= deadline_;
}

bool conversionShouldStop() {
    return current && current->exhausted();
}

void stopIfOverBudget() {
    if (!current || ++callsSinceClock <= kCallsPerClockReading)
        return;
    callsSinceClock = 0;
    if (current->exhausted())
        throw ConversionStopped{};
}

void stopMatcherWithConversion(icu::RegexMatcher& matcher) {
    UErrorCode status = U_ZERO_ERROR;
    matcher.setMatchCallback(keepMatching, nullptr, status);
}

}  // namespace engine
