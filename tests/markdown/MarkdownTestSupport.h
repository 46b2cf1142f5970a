#pragma once
// Converting with each of the three Markdown flavours, as the dispatcher
// sets them up.

#include <map>
#include <string>

#include "../engine/TestSupport.h"
#include "support/ConverterTestSupport.h"
#include "markdown/MarkdownConverter.h"

namespace mdtest {

enum class Flavour { markdown, markdownextra, multimarkdown };

inline std::map<std::string, bool> switchesFor(Flavour flavour) {
    std::map<std::string, bool> switches = {
        {"tilde_strike", flavour == Flavour::markdownextra},
        {"javascript_anchors", true},
        {"definition_list", true},
        {"tables_piped", true},
        {"footnotes", true},
        {"bibliography", flavour == Flavour::multimarkdown},
        {"fenced_code", true},
        {"markdown_in_html", true},
        {"intraword_underscore_literal", true},
    };
    if (flavour == Flavour::multimarkdown)
        switches["toc_create"] = true;
    return switches;
}

inline std::string convert(const std::string& text, Flavour flavour = Flavour::markdown) {
    MarkdownConverter converter;
    converter.initWithString(testsupport::u(text));
    if (flavour != Flavour::markdown)
        converter.setFlavour(switchesFor(flavour));
    return testsupport::s(converter.transform());
}

inline std::string extra(const std::string& text) { return convert(text, Flavour::markdownextra); }
inline std::string mmd(const std::string& text) { return convert(text, Flavour::multimarkdown); }

using testsupport::count;
inline bool has(const std::string& html, const std::string& piece) { return testsupport::contains(html, piece); }

}  // namespace mdtest
