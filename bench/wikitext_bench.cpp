// Wikitext conversion speed over the corpus and the scale files, converted
// as the dispatcher converts them ("en", JavaScript anchors on).
#include "BenchSupport.h"
#include "wikitext/Wikitext_ObjC.h"

int main(int argc, char** argv) {
    auto convert = [](const icu::UnicodeString& text) {
        return Wikitext_ObjC().initWithString(text, u"en", true).transform();
    };
    benchsupport::registerFiles("wikitext", benchsupport::corpusFiles("wikitext"), convert);
    benchsupport::registerFiles("wikitext-scale", benchsupport::scaleFiles("wiki"), convert);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
