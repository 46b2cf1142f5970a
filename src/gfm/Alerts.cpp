#include "gfm/Alerts.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

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

// The kind named by the quote's first line, when that line is the marker
// alone (in any letter case) and something follows it.
const AlertKind* kindOf(cmark_node* quote) {
    cmark_node* paragraph = cmark_node_first_child(quote);
    if (!paragraph || cmark_node_get_type(paragraph) != CMARK_NODE_PARAGRAPH)
        return nullptr;
    cmark_node* marker = cmark_node_first_child(paragraph);
    if (!marker || cmark_node_get_type(marker) != CMARK_NODE_TEXT)
        return nullptr;
    cmark_node* after = cmark_node_next(marker);
    if (after ? !isLineBreak(after) : !cmark_node_next(paragraph))
        return nullptr;
    std::string written = cmark_node_get_literal(marker);
    std::transform(written.begin(), written.end(), written.begin(), [](unsigned char c) { return std::toupper(c); });
    for (const AlertKind& kind : kKinds)
        if (written == kind.marker)
            return &kind;
    return nullptr;
}

void removeMarkerLine(cmark_node* quote) {
    cmark_node* paragraph = cmark_node_first_child(quote);
    cmark_node* marker = cmark_node_first_child(paragraph);
    if (cmark_node* lineBreak = cmark_node_next(marker))
        cmark_node_free(lineBreak);
    cmark_node_free(marker);
    if (!cmark_node_first_child(paragraph))
        cmark_node_free(paragraph);
}

}  // namespace

void makeAlerts(cmark_node* document) {
    std::vector<std::pair<cmark_node*, const AlertKind*>> alerts;
    cmark_iter* iter = cmark_iter_new(document);
    for (cmark_event_type event; (event = cmark_iter_next(iter)) != CMARK_EVENT_DONE;) {
        cmark_node* node = cmark_iter_get_node(iter);
        if (event == CMARK_EVENT_ENTER && cmark_node_get_type(node) == CMARK_NODE_BLOCK_QUOTE)
            if (const AlertKind* kind = kindOf(node))
                alerts.emplace_back(node, kind);
    }
    cmark_iter_free(iter);

    for (const auto& [quote, kind] : alerts) {
        removeMarkerLine(quote);
        replaceByCustomBlock(quote,
                             std::string("<div class=\"markdown-alert markdown-alert-") + kind->name
                                 + "\">\n<p class=\"markdown-alert-title\">" + kind->title + "</p>",
                             "</div>");
    }
}

}  // namespace gfm
