// Wikitext conversion speed over the corpus and the scale files, converted
// as the dispatcher converts them ("en", JavaScript anchors on).
#include "BenchSupport.h"
#include "wikitext/WikitextConverter.h"

int main(int argc, char** argv) {
    auto convert = [](const icu::UnicodeString& text) {
        return WikitextConverter().initWithString(text, u"en", true).transform();
    };
    benchsupport::registerFiles("wikitext", benchsupport::corpusFiles("wikitext"), convert);
    benchsupport::registerFiles("wikitext-scale", benchsupport::scaleFiles("wiki"), convert);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
