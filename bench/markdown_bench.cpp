// Markdown conversion speed with each flavour over the corpus and the scale
// files (MB/s of UTF-8 input).
#include <map>
#include <string>

#include "BenchSupport.h"
#include "markdown/MarkdownConverter.h"

namespace {

std::map<std::string, bool> flavourSwitches(bool multiMarkdown) {
    std::map<std::string, bool> switches = {
        {"tilde_strike", !multiMarkdown}, {"javascript_anchors", true}, {"definition_list", true},
        {"tables_piped", true},           {"footnotes", true},          {"bibliography", multiMarkdown},
        {"fenced_code", true},
        {"markdown_in_html", true},
        {"intraword_underscore_literal", true},
    };
    if (multiMarkdown)
        switches["toc_create"] = true;
    return switches;
}

benchsupport::Convert converterFor(const std::string& language) {
    return [language](const icu::UnicodeString& text) {
        MarkdownConverter converter;
        converter.initWithString(text);
        if (language != "markdown")
            converter.setFlavour(flavourSwitches(language == "multimarkdown"));
        return converter.transform();
    };
}

// 200 KB of one inline opening repeated: emphasis markers, tags, brackets
// and backticks that never close must cost time in proportion to the text.
void registerUnclosedOpenings(const std::string& language) {
    const std::pair<const char*, std::string> pieces[] = {
        {"star-a-underscore", "*a_ "}, {"stars", "**"},        {"star-run", "a**b*"},
        {"open-tags", "<a \""},        {"tag-backticks", "<a b=\"`"}, {"nested-brackets", "[a [b] "},
    };
    for (const auto& [name, piece] : pieces) {
        std::string text;
        while (text.size() < 200 * 1024)
            text += piece;
        const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(text);
        benchmark::RegisterBenchmark((language + "-unclosed/" + name).c_str(),
                                     [unicode, convert = converterFor(language)](benchmark::State& state) {
                                         for (auto _ : state)
                                             benchmark::DoNotOptimize(convert(unicode));
                                     })
            ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace

int main(int argc, char** argv) {
    for (const std::string language : {"markdown", "markdownextra", "multimarkdown"}) {
        benchsupport::registerFiles(language, benchsupport::corpusFiles("markdown"), converterFor(language));
        benchsupport::registerFiles(language + "-scale", benchsupport::scaleFiles("md"), converterFor(language));
        registerUnclosedOpenings(language);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
