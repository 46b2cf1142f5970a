// The input as the bytes of a document file: the encoding detection and the
// fallback list. Bytes without a byte-order mark that are valid UTF-8 must
// read as exactly that UTF-8.
#include <QByteArray>
#include <QStringDecoder>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "FuzzEnvironment.h"
#include "pipeline/TextReading.h"

namespace {

bool startsWithByteOrderMark(const QByteArray& bytes) {
    return bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFE\xFF") || bytes.startsWith("\xFF\xFE") ||
           bytes.startsWith(QByteArray("\x00\x00\xFE\xFF", 4));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzenv::prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<QString> text = textreading::decodeText(bytes);
    if (startsWithByteOrderMark(bytes))
        return 0;
    // Stateless: a sequence cut off at the end is an error, not state kept
    // for more bytes that never come.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString expected = utf8.decode(bytes);
    if (!utf8.hasError() && text != expected) {
        std::fprintf(stderr, "VALID UTF-8 READ DIFFERENTLY\n");
        std::abort();
    }
    return 0;
}
