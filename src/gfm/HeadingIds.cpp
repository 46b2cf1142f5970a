#include "gfm/HeadingIds.h"

#include <unicode/uchar.h>
#include <unordered_map>
#include <unordered_set>
#include <unicode/utf8.h>
#include <vector>

#include "gfm/CmarkTree.h"

namespace gfm {

namespace {

bool keptInSlug(UChar32 c) {
    if (c == ' ' || c == '-')
        return true;
    return (U_GET_GC_MASK(c) & (U_GC_L_MASK | U_GC_M_MASK | U_GC_ND_MASK | U_GC_PC_MASK)) != 0;
}

// The ids given so far, and for each slug the number its next repeat tries
// first (so a title repeated a thousand times costs no more than once each).
struct GivenIds {
    std::unordered_set<std::string> used;
    std::unordered_map<std::string, int> nextNumber;

    std::string uniqueFor(const std::string& slug) {
        std::string candidate = slug;
        int& number = nextNumber[slug];
        while (used.count(candidate))
            candidate = slug + "-" + std::to_string(++number);
        used.insert(candidate);
        return candidate;
    }
};

}  // namespace

std::string slugOf(std::string_view headingText) {
    std::string slug;
    const auto* text = reinterpret_cast<const uint8_t*>(headingText.data());
    const int32_t length = static_cast<int32_t>(headingText.size());
    for (int32_t at = 0; at < length;) {
        UChar32 c;
        U8_NEXT(text, at, length, c);
        if (c < 0 || !keptInSlug(c))
            continue;
        c = c == ' ' ? '-' : u_tolower(c);
        char bytes[U8_MAX_LENGTH];
        int32_t size = 0;
        U8_APPEND_UNSAFE(bytes, size, c);
        slug.append(bytes, static_cast<size_t>(size));
    }
    return slug;
}

void giveHeadingsIds(cmark_node* document) {
    GivenIds given;
    for (cmark_node* heading : blocksOf(document)) {
        if (cmark_node_get_type(heading) != CMARK_NODE_HEADING)
            continue;
        const std::string tag = "h" + std::to_string(cmark_node_get_heading_level(heading));
        const std::string id = given.uniqueFor(slugOf(plainText(heading)));
        replaceByCustomInlineBlock(heading, "<" + tag + " id=\"" + id + "\">", "</" + tag + ">");
    }
}

}  // namespace gfm
