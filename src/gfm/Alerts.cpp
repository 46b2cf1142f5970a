#include "gfm/Alerts.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "gfm/CmarkTree.h"

namespace gfm {

namespace {

struct AlertKind {
    const char* marker;
    const char* name;
    const char* title;
};

const AlertKind kKinds[] = {
    {"[!NOTE]", "note", "Note"},
    {"[!TIP]", "tip", "Tip"},
    {"[!IMPORTANT]", "important", "Important"},
    {"[!WARNING]", "warning", "Warning"},
    {"[!CAUTION]", "caution", "Caution"},
};

bool isLineBreak(cmark_node* node) {
    const cmark_node_type type = cmark_node_get_type(node);
    return type == CMARK_NODE_SOFTBREAK || type == CMARK_NODE_LINEBREAK;
}

// The first node after the paragraph's leading text nodes (the parser cuts
// text at "[" and "!"), or null when there is nothing else.
cmark_node* firstLineEnd(cmark_node* paragraph) {
    cmark_node* node = cmark_node_first_child(paragraph);
    while (node && cmark_node_get_type(node) == CMARK_NODE_TEXT)
        node = cmark_node_next(node);
    return node;
}

std::string firstLineText(cmark_node* paragraph) {
    std::string text;
    cmark_node* end = firstLineEnd(paragraph);
    for (cmark_node* node = cmark_node_first_child(paragraph); node != end && text.size() < 16; node = cmark_node_next(node))
        text += cmark_node_get_literal(node);
    return text;
}

// The kind named by the quote's first line, when that line is the marker
// alone (in any letter case) and something follows it.
const AlertKind* kindOf(cmark_node* quote) {
    cmark_node* paragraph = cmark_node_first_child(quote);
    if (!paragraph || cmark_node_get_type(paragraph) != CMARK_NODE_PARAGRAPH)
        return nullptr;
    cmark_node* after = firstLineEnd(paragraph);
    if (after ? !isLineBreak(after) : !cmark_node_next(paragraph))
        return nullptr;
    std::string written = firstLineText(paragraph);
    std::transform(written.begin(), written.end(), written.begin(), [](unsigned char c) { return std::toupper(c); });
    for (const AlertKind& kind : kKinds)
        if (written == kind.marker)
            return &kind;
    return nullptr;
}

void removeMarkerLine(cmark_node* quote) {
    cmark_node* paragraph = cmark_node_first_child(quote);
    cmark_node* end = firstLineEnd(paragraph);
    while (cmark_node_first_child(paragraph) != end)
        cmark_node_free(cmark_node_first_child(paragraph));
    if (end)
        cmark_node_free(end);
    if (!cmark_node_first_child(paragraph))
        cmark_node_free(paragraph);
}

}  // namespace

void makeAlerts(cmark_node* document) {
    for (cmark_node* quote : blocksOf(document)) {
        if (cmark_node_get_type(quote) != CMARK_NODE_BLOCK_QUOTE)
            continue;
        const AlertKind* kind = kindOf(quote);
        if (!kind)
            continue;
        removeMarkerLine(quote);
        replaceByCustomBlock(quote,
                             std::string("<div class=\"markdown-alert markdown-alert-") + kind->name
                                 + "\">\n<p class=\"markdown-alert-title\">" + kind->title + "</p>",
                             "</div>");
    }
}

}  // namespace gfm
