// Textile conversion speed over the corpus and the scale files.
#include "BenchSupport.h"
#include "textile/TextileConverter.h"

int main(int argc, char** argv) {
    auto convert = [](const icu::UnicodeString& text) { return TextileConverter().initWithString(text).transform(); };
    benchsupport::registerFiles("textile", benchsupport::corpusFiles("textile"), convert);
    benchsupport::registerFiles("textile-scale", benchsupport::scaleFiles("textile"), convert);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
