#pragma once
// Memory for large conversions. Each pass of a converter builds a fresh copy
// of the whole text. By default glibc gives buffers of several megabytes back
// to the system as soon as they are freed and maps new ones for the next
// pass; touching those fresh pages made a 10 MB document convert almost twice
// as slowly per byte as a 1 MB one.

namespace engine {

// Texts of this many UTF-16 units and more leave much memory behind in the
// heaps once they are done with.
inline constexpr long long kLargeText = 1024 * 1024;

// Called once at start: texts of up to about a hundred megabytes come from
// the heap, and the heap keeps up to 128 MB of freed memory for the next pass
// instead of shrinking after each one.
void keepFreedMemoryForLargeTexts();

// After work on a large text: what the heaps kept for the next pass goes
// back to the system, so that a window showing a big document does not hold
// its conversion's peak for as long as it stays open.
void giveBackFreedMemory();

}  // namespace engine
