#include "gfm/GithubMarkdown.h"

#include <cmark-gfm-core-extensions.h>
#include <cmark-gfm-extension_api.h>
#include <cmark-gfm.h>
#include <cstdlib>
#include <memory>
#include <mutex>

#include "gfm/Alerts.h"
#include "gfm/HeadingIds.h"

namespace gfm {

namespace {

// Raw HTML is kept: the preview's own policy keeps pages safe, and what
// `convert` writes must be what the writer wrote.
constexpr int kOptions = CMARK_OPT_UNSAFE | CMARK_OPT_FOOTNOTES;

const char* const kExtensions[] = {"table", "strikethrough", "autolink", "tagfilter", "tasklist"};

struct ParserDeleter {
    void operator()(cmark_parser* parser) const { cmark_parser_free(parser); }
};
struct NodeDeleter {
    void operator()(cmark_node* node) const { cmark_node_free(node); }
};

std::unique_ptr<cmark_parser, ParserDeleter> newParser() {
    static std::once_flag registered;
    std::call_once(registered, cmark_gfm_core_extensions_ensure_registered);
    std::unique_ptr<cmark_parser, ParserDeleter> parser(cmark_parser_new(kOptions));
    for (const char* name : kExtensions)
        if (cmark_syntax_extension* extension = cmark_find_syntax_extension(name))
            cmark_parser_attach_syntax_extension(parser.get(), extension);
    return parser;
}

}  // namespace

std::string toHtml(std::string_view markdown) {
    auto parser = newParser();
    cmark_parser_feed(parser.get(), markdown.data(), markdown.size());
    std::unique_ptr<cmark_node, NodeDeleter> document(cmark_parser_finish(parser.get()));
    cmark_consolidate_text_nodes(document.get());
    makeAlerts(document.get());
    giveHeadingsIds(document.get());
    char* rendered = cmark_render_html(document.get(), kOptions, cmark_parser_get_syntax_extensions(parser.get()));
    std::string html(rendered ? rendered : "");
    std::free(rendered);
    return html;
}

}  // namespace gfm
