// Markdown conversion speed with each flavour over the corpus and the scale
// files (MB/s of UTF-8 input).
#include <map>
#include <string>

#include "BenchSupport.h"
#include "markdown/Markdown_ObjC.h"

namespace {

std::map<std::string, bool> flavourSwitches(bool multiMarkdown) {
    std::map<std::string, bool> switches = {
        {"tilde_strike", !multiMarkdown}, {"javascript_anchors", true}, {"definition_list", true},
        {"tables_piped", true},           {"footnotes", true},          {"bibliography", multiMarkdown},
        {"fenced_code", true},
        {"intraword_underscore_literal", true},
    };
    if (multiMarkdown)
        switches["toc_create"] = true;
    return switches;
}

benchsupport::Convert converterFor(const std::string& language) {
    return [language](const icu::UnicodeString& text) {
        Markdown_ObjC converter;
        converter.initWithString(text);
        if (language != "markdown")
            converter.setFlavour(flavourSwitches(language == "multimarkdown"));
        return converter.transform();
    };
}

}  // namespace

int main(int argc, char** argv) {
    for (const std::string language : {"markdown", "markdownextra", "multimarkdown"}) {
        benchsupport::registerFiles(language, benchsupport::corpusFiles("markdown"), converterFor(language));
        benchsupport::registerFiles(language + "-scale", benchsupport::scaleFiles("md"), converterFor(language));
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
