// One target per language (QUILL_FUZZ_LANGUAGE): the input, read as UTF-8,
// goes through the dispatcher like a document in a window. The low bit of the
// first byte turns CriticMarkup on. A placeholder token in the HTML that the
// input did not hold aborts, so libFuzzer keeps the input.
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "FuzzEnvironment.h"
#include "dispatch/MarkupTransformTask.h"
#include "support/PlaceholderTokens.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzenv::prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const bool critics = data[0] & 1;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString html = MarkupTransformTask::transformString(text, QUILL_FUZZ_LANGUAGE, critics);

    // The document as the converter saw it: the review marks become markers
    // that hold "%%", which is not a leak of the converter's own.
    const QString seen = critics ? MarkupTransformTask::saveCriticsMarkupsPriorMarkupTranversion(
                                       MarkupTransformTask::normalisedLineEnds(text))
                                 : text;
    const QByteArray out = html.toUtf8(), in = text.toUtf8(), inSeen = seen.toUtf8();
    const std::string token = placeholdertokens::leaked(placeholdertokens::forLanguage(QUILL_FUZZ_LANGUAGE),
                                                        {out.constData(), size_t(out.size())},
                                                        {{in.constData(), size_t(in.size())},
                                                         {inSeen.constData(), size_t(inSeen.size())}});
    if (!token.empty()) {
        std::fprintf(stderr, "LEAKED TOKEN \"%s\" (%s, CriticMarkup %s)\n", token.c_str(), QUILL_FUZZ_LANGUAGE,
                     critics ? "on" : "off");
        std::abort();
    }
    return 0;
}
