#pragma once
// The time one conversion may take. A conversion runs on one thread; its
// budget is installed there while it runs, and the engine's search loops and
// ICU's matchers look at it now and then, so that a document that keeps a
// converter busy is stopped soon after its deadline, or after it was
// cancelled, instead of keeping a core busy for nothing.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class RegexMatcher;
U_NAMESPACE_END

namespace engine {

// Thrown when the conversion on this thread is to stop. Deliberately not a
// std::exception: a pass that survives its own failures must not swallow it.
struct ConversionStopped {};

// Set by whoever waits for the conversion when no one needs its result.
using CancelFlag = std::shared_ptr<const std::atomic<bool>>;

// Installs a budget on this thread for as long as it lives. A budget inside
// another never outlasts the outer one.
class ConversionBudget {
public:
    explicit ConversionBudget(std::chrono::milliseconds limit, CancelFlag cancelled = {});
    ~ConversionBudget();
    ConversionBudget(const ConversionBudget&) = delete;
    ConversionBudget& operator=(const ConversionBudget&) = delete;

    bool exhausted() const;

private:
    int64_t deadline_;  // nanoseconds of the monotonic clock
    CancelFlag cancelled_;
    ConversionBudget* outer_;
};

// True when this thread's conversion ran out of time or was cancelled; false
// on a thread without a budget.
bool conversionShouldStop();

// Throws ConversionStopped when the conversion should stop. Cheap enough for
// every turn of a search loop.
void stopIfOverBudget();

// Lets `matcher` give up a long search when the conversion should stop: the
// search then fails with U_REGEX_STOPPED_BY_CALLER (see searchFailed).
void stopMatcherWithConversion(icu::RegexMatcher& matcher);

}  // namespace engine
