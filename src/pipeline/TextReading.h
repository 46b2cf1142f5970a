#pragma once
// Reading a document's text when its encoding is not known.

#include <QByteArray>
#include <QString>
#include <optional>

namespace textreading {

enum class TextFileProblem { None, Missing, TooLarge, Binary };

// Whether the file is there, at most `largestSize` bytes, and text: a NUL
// byte near its start (outside UTF-16 and UTF-32 text with a byte-order
// mark) marks images, archives and programs.
TextFileProblem checkTextFile(const QString& path, qint64 largestSize);

// Whether these first bytes of a file are those of binary data.
bool looksBinary(const QByteArray& head);

// Detects the encoding (a byte-order mark, else UTF-8); when that fails and
// gives no text, tries the fallback list in its fixed order and keeps the
// first encoding that decodes the whole file to a non-empty text. Nothing
// when the file cannot be read or no encoding fits. An empty file reads as
// an empty text.
std::optional<QString> readTextFromFile(const QString& path);

// The same over bytes already read.
std::optional<QString> decodeText(const QByteArray& bytes);

// The ICU converter name for one of the fallback encoding numbers 1 to 30,
// or nothing for numbers that name no encoding this platform has.
std::optional<const char*> converterNameForEncodingNumber(int number);

// Decodes with the named converter, failing on any byte it does not map.
std::optional<QString> decodeStrictly(const QByteArray& bytes, const char* converterName);

}  // namespace textreading
