#include "gfm/HeadingIds.h"

#include <set>
#include <unicode/uchar.h>
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

std::string uniqueSlug(const std::string& slug, std::set<std::string>& used) {
    std::string candidate = slug;
    for (int n = 1; used.count(candidate); ++n)
        candidate = slug + "-" + std::to_string(n);
    used.insert(candidate);
    return candidate;
}

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
    std::vector<cmark_node*> headings;
    cmark_iter* iter = cmark_iter_new(document);
    for (cmark_event_type event; (event = cmark_iter_next(iter)) != CMARK_EVENT_DONE;) {
        cmark_node* node = cmark_iter_get_node(iter);
        if (event == CMARK_EVENT_ENTER && cmark_node_get_type(node) == CMARK_NODE_HEADING)
            headings.push_back(node);
    }
    cmark_iter_free(iter);

    std::set<std::string> used;
    for (cmark_node* heading : headings) {
        const std::string tag = "h" + std::to_string(cmark_node_get_heading_level(heading));
        const std::string id = uniqueSlug(slugOf(plainText(heading)), used);
        replaceByCustomInlineBlock(heading, "<" + tag + " id=\"" + id + "\">", "</" + tag + ">");
    }
}

}  // namespace gfm
