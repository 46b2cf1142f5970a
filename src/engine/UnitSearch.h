#pragma once
// Finding the next of a few code units in a long text, eight units at a
// time where the processor allows: a walk that stops only at "<", ">" and
// "\n", say, spends its time on the stretches between them.

#include <cstdint>

namespace engine {

// The first position in [from, to) whose code unit is `a`, `b` or `c`, or
// `to` when there is none.
int32_t firstOfUnits(const char16_t* chars, int32_t from, int32_t to, char16_t a, char16_t b, char16_t c);

}  // namespace engine
