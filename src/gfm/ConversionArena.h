#pragma once
// The memory of one conversion by libcmark-gfm: taken from large blocks and
// given back all at once when the conversion ends, instead of a malloc and
// a free for each of the millions of nodes and strings of a big document
// (freeing them one by one cost as much as the parse). One arena per thread,
// so conversions on several threads share nothing.

#include <cmark-gfm.h>

namespace gfm {

class ConversionArena {
public:
    ConversionArena();
    ~ConversionArena();  // releases everything allocated through it
    ConversionArena(const ConversionArena&) = delete;
    ConversionArena& operator=(const ConversionArena&) = delete;

    // The allocator of this thread's arena, for the parser and every node
    // made while the arena lives.
    static cmark_mem* allocator();
};

}  // namespace gfm
