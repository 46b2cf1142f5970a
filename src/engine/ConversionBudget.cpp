#include "engine/ConversionBudget.h"

#include <algorithm>
#include <ctime>
#include <unicode/regex.h>

namespace engine {
namespace {

thread_local ConversionBudget* current = nullptr;

// The coarse clock ticks every few milliseconds, plenty for a budget, and
// costs a few nanoseconds: it is read at every stop point, where a loop turn
// may cost less than reading the precise clock.
int64_t nowNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// ICU calls this every 10,000 steps of a search: false abandons it.
UBool keepMatching(const void*, int32_t) {
    return !conversionShouldStop();
}

}  // namespace

ConversionBudget::ConversionBudget(std::chrono::milliseconds limit, CancelFlag cancelled)
    : deadline_(nowNanoseconds() + std::chrono::nanoseconds(limit).count()), cancelled_(std::move(cancelled)),
      outer_(current) {
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
    return nowNanoseconds() >= deadline_;
}

bool conversionShouldStop() {
    return current && current->exhausted();
}

void stopIfOverBudget() {
    if (conversionShouldStop())
        throw ConversionStopped{};
}

void stopMatcherWithConversion(icu::RegexMatcher& matcher) {
    UErrorCode status = U_ZERO_ERROR;
    matcher.setMatchCallback(keepMatching, nullptr, status);
}

}  // namespace engine
