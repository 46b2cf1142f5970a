#include "pipeline/TextReading.h"

#include <QFile>
#include <QStringDecoder>
#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

namespace textreading {

namespace {

// A byte-order mark names the encoding; without one, only UTF-8 is accepted.
// The decoders are stateless: a sequence cut off at the end of the file is an
// error, not state kept for a next chunk that never comes.
std::optional<QString> detectEncoding(const QByteArray& bytes) {
    if (auto encoding = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*encoding, QStringConverter::Flag::Stateless);
        QString text = decoder.decode(bytes);
        if (!decoder.hasError())
            return text;
        return std::nullopt;
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

// How much of a file is looked at to tell text from binary data.
constexpr qint64 kBinaryCheckLength = 64 * 1024;

}  // namespace

bool looksBinary(const QByteArray& head) {
    if (auto encoding = QStringConverter::encodingForData(head))
        if (*encoding != QStringConverter::Utf8)
            return false;  // UTF-16 and UTF-32 text is full of NUL bytes
    return head.contains('\0');
}

TextFileProblem checkTextFile(const QString& path, qint64 largestSize) {
    QFile file(path);
    if (!file.exists())
        return TextFileProblem::Missing;
    if (file.size() > largestSize)
        return TextFileProblem::TooLarge;
    if (file.open(QIODevice::ReadOnly) && looksBinary(file.read(kBinaryCheckLength)))
        return TextFileProblem::Binary;
    return TextFileProblem::None;
}

std::optional<const char*> converterNameForEncodingNumber(int number) {
    // NeXTSTEP (2) and Symbol (6) have no converter here; non-lossy ASCII
    // (7) reads plain ASCII the same way.
    switch (number) {
    case 1: return "US-ASCII";
    case 3: return "EUC-JP";
    case 4: return "UTF-8";
    case 5: return "ISO-8859-1";
    case 7: return "US-ASCII";
    case 8: return "Shift_JIS";
    case 9: return "ISO-8859-2";
    case 10: return "UTF-16";
    case 11: return "windows-1251";
    case 12: return "windows-1252";
    case 13: return "windows-1253";
    case 14: return "windows-1254";
    case 15: return "windows-1250";
    case 21: return "ISO-2022-JP";
    case 30: return "macintosh";
    default: return std::nullopt;
    }
}

std::optional<QString> decodeStrictly(const QByteArray& bytes, const char* converterName) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(converterName, &status);
    if (U_FAILURE(status))
        return std::nullopt;
    ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    QString text;
    text.resize(bytes.size() * 2 + 16);
    const int32_t length = ucnv_toUChars(converter, reinterpret_cast<UChar*>(text.data()), int32_t(text.size()),
                                         bytes.constData(), int32_t(bytes.size()), &status);
    ucnv_close(converter);
    if (U_FAILURE(status))
        return std::nullopt;
    text.resize(length);
    return text;
}

std::optional<QString> decodeText(const QByteArray& bytes) {
    if (auto text = detectEncoding(bytes))
        return text;
    for (int number = 1; number <= 30; ++number) {
        auto name = converterNameForEncodingNumber(number);
        if (!name)
            continue;
        if (auto text = decodeStrictly(bytes, *name); text && !text->isEmpty())
            return text;
    }
    return std::nullopt;
}

std::optional<QString> readTextFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decodeText(file.readAll());
}

}  // namespace textreading
