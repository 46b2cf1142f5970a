// BBCode conversion speed over the corpus and the scale files.
#include "BenchSupport.h"
#include "bbcode/BBCodeConverter.h"

int main(int argc, char** argv) {
    auto convert = [](const icu::UnicodeString& text) { return BBCodeConverter().initWithString(text).transform(); };
    benchsupport::registerFiles("bbcode", benchsupport::corpusFiles("bbcode"), convert);
    benchsupport::registerFiles("bbcode-scale", benchsupport::scaleFiles("bbcode"), convert);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
