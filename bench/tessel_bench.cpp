// Tessel conversion speed over foreign documents read as Tessel (there is no
// Tessel corpus): the Markdown and Textile corpus and their scale files.
#include "BenchSupport.h"
#include "tessel/TesselConverter.h"

int main(int argc, char** argv) {
    auto convert = [](const icu::UnicodeString& text) { return TesselConverter().initWithString(text, true).transform(); };
    benchsupport::registerFiles("tessel-markdown", benchsupport::corpusFiles("markdown"), convert);
    benchsupport::registerFiles("tessel-textile", benchsupport::corpusFiles("textile"), convert);
    benchsupport::registerFiles("tessel-scale", benchsupport::scaleFiles("md"), convert);
    benchsupport::registerFiles("tessel-scale", benchsupport::scaleFiles("textile"), convert);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
