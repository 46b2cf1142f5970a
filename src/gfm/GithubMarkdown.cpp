#include "gfm/GithubMarkdown.h"

#include <cmark-gfm-core-extensions.h>
#include <cmark-gfm-extension_api.h>
#include <cmark-gfm.h>
#include <mutex>

#include "gfm/Alerts.h"
#include "gfm/ConversionArena.h"
#include "gfm/HeadingIds.h"
#include "gfm/MathProtection.h"
#include "gfm/TaskLists.h"

namespace gfm {

namespace {

// Raw HTML is kept: the preview's own policy keeps pages safe, and what
// `convert` writes must be what the writer wrote.
constexpr int kOptions = CMARK_OPT_UNSAFE | CMARK_OPT_FOOTNOTES;

const char* const kExtensions[] = {"table", "strikethrough", "autolink", "tagfilter", "tasklist"};

// The table extension's time grows with the square of a row's cells: a
// line of tens of thousands of "|" would hold the conversion for minutes.
// No one writes a table that wide; such text is read without tables.
constexpr size_t kWidestTableRow = 2000;

bool hasTooWideRow(std::string_view markdown) {
    size_t pipes = 0;
    for (char c : markdown) {
        if (c == '\n')
            pipes = 0;
        else if (c == '|' && ++pipes > kWidestTableRow)
            return true;
    }
    return false;
}

cmark_parser* newParser(bool tables) {
    static std::once_flag registered;
    std::call_once(registered, cmark_gfm_core_extensions_ensure_registered);
    cmark_parser* parser = cmark_parser_new_with_mem(kOptions, ConversionArena::allocator());
    for (const char* name : kExtensions)
        if (tables || std::string_view(name) != "table")
            if (cmark_syntax_extension* extension = cmark_find_syntax_extension(name))
                cmark_parser_attach_syntax_extension(parser, extension);
    return parser;
}

}  // namespace

// Nodes, strings and the parser live in the conversion's arena and go with
// it, so nothing is freed one by one.
std::string toHtml(std::string_view markdown) {
    const ConversionArena arena;
    MathProtection math;
    const std::string text = math.protect(markdown);
    cmark_parser* parser = newParser(!hasTooWideRow(text));
    cmark_parser_feed(parser, text.data(), text.size());
    cmark_node* document = cmark_parser_finish(parser);
    makeAlerts(document);
    markTaskLists(document);
    giveHeadingsIds(document);
    const char* rendered =
        cmark_render_html_with_mem(document, kOptions, cmark_parser_get_syntax_extensions(parser),
                                   ConversionArena::allocator());
    std::string html(rendered ? rendered : "");
    math.restore(html);
    return html;
}

}  // namespace gfm
