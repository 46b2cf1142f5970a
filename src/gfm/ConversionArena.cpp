#include "gfm/ConversionArena.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace gfm {

namespace {

constexpr size_t kBlockSize = size_t(1) << 20;
// Each allocation starts with its size, so realloc knows what to copy.
constexpr size_t kHeader = 16;

// Freed small allocations are kept in a list per size, for the next
// allocation of that size: the parser frees its short-lived buffers all the
// time, and reusing them keeps the arena near the size of the tree.
constexpr size_t kLargestReused = 4096;

struct Arena {
    std::vector<void*> blocks;
    char* next = nullptr;
    size_t left = 0;
    char* last = nullptr;  // the newest allocation, which may grow in place
    std::array<void*, kLargestReused / 16 + 1> freed{};  // by size / 16; linked through their first word
};

thread_local Arena* current = nullptr;

size_t& sizeOf(void* allocation) { return *reinterpret_cast<size_t*>(static_cast<char*>(allocation) - kHeader); }

size_t rounded(size_t bytes) { return (bytes + 15) & ~size_t(15); }

void* reused(Arena& arena, size_t size) {
    if (size > kLargestReused)
        return nullptr;
    void*& head = arena.freed[size / 16];
    void* allocation = head;
    if (allocation) {
        head = *static_cast<void**>(allocation);
        std::memset(allocation, 0, size);
    }
    return allocation;
}

void* allocate(size_t bytes) {
    Arena& arena = *current;
    if (void* allocation = reused(arena, rounded(bytes)))
        return allocation;
    const size_t needed = kHeader + rounded(bytes);
    if (needed > arena.left) {
        // Zeroed pages from the system; a big allocation gets a block of its own.
        const size_t blockSize = std::max(kBlockSize, needed);
        void* block = std::calloc(1, blockSize);
        if (!block)
            std::abort();  // as libcmark-gfm's own allocator does
        arena.blocks.push_back(block);
        arena.next = static_cast<char*>(block);
        arena.left = blockSize;
    }
    char* allocation = arena.next + kHeader;
    arena.next += needed;
    arena.left -= needed;
    arena.last = allocation;
    sizeOf(allocation) = rounded(bytes);
    return allocation;
}

void* arenaCalloc(size_t count, size_t size) {
    if (size != 0 && count > (~size_t(0) - 2 * kHeader) / size)
        std::abort();
    return allocate(count * size);  // blocks are zeroed and never reused
}

void* arenaRealloc(void* old, size_t bytes) {
    if (!old)
        return allocate(bytes);
    Arena& arena = *current;
    const size_t had = sizeOf(old);
    if (bytes <= had)
        return old;
    if (old == arena.last && rounded(bytes) - had <= arena.left) {
        arena.next += rounded(bytes) - had;
        arena.left -= rounded(bytes) - had;
        sizeOf(old) = rounded(bytes);
        return old;
    }
    void* grown = allocate(bytes);
    std::memcpy(grown, old, had);
    return grown;
}

// A small allocation goes to the list of its size; a large one waits for
// the arena's end.
void arenaFree(void* allocation) {
    if (!allocation)
        return;
    Arena& arena = *current;
    const size_t size = sizeOf(allocation);
    if (allocation == arena.last)
        arena.last = nullptr;
    if (size > kLargestReused || size < sizeof(void*))
        return;
    void*& head = arena.freed[size / 16];
    *static_cast<void**>(allocation) = head;
    head = allocation;
}

cmark_mem kArenaMemory = {arenaCalloc, arenaRealloc, arenaFree};

}  // namespace

ConversionArena::ConversionArena() { current = new Arena; }

ConversionArena::~ConversionArena() {
    for (void* block : current->blocks)
        std::free(block);
    delete current;
    current = nullptr;
}

cmark_mem* ConversionArena::allocator() { return &kArenaMemory; }

}  // namespace gfm
