#include "engine/TextUtilities.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <utility>
#include <unicode/uchar.h>

#include "engine/ConversionBudget.h"
#include "engine/ConverterBase.h"
#include "engine/Regex.h"

namespace engine {

std::vector<icu::UnicodeString> split(const icu::UnicodeString& text, const icu::UnicodeString& separator) {
    std::vector<icu::UnicodeString> pieces;
    if (separator.isEmpty()) {
        pieces.push_back(text);
        return pieces;
    }
    int32_t from = 0;
    for (int32_t at = text.indexOf(separator); at >= 0; at = text.indexOf(separator, from)) {
        pieces.emplace_back(text, from, at - from);
        from = at + separator.length();
    }
    pieces.emplace_back(text, from, text.length() - from);
    return pieces;
}

icu::UnicodeString join(const std::vector<icu::UnicodeString>& pieces, const icu::UnicodeString& separator) {
    int64_t length = pieces.empty() ? 0 : static_cast<int64_t>(pieces.size() - 1) * separator.length();
    for (const icu::UnicodeString& piece : pieces)
        length += piece.length();
    icu::UnicodeString out = emptyWithRoomForLength(length);
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            out += separator;
        out += pieces[i];
    }
    return out;
}

namespace {

// The start and end of what trimming leaves.
std::pair<int32_t, int32_t> keptBetween(const icu::UnicodeString& text, bool (*isTrimmed)(char16_t)) {
    int32_t start = 0;
    int32_t end = text.length();
    while (start < end && isTrimmed(text.charAt(start)))
        ++start;
    while (end > start && isTrimmed(text.charAt(end - 1)))
        --end;
    return {start, end};
}

bool isWhiteSpaceUnit(char16_t c) {
    return u_isUWhiteSpace(c);
}

}  // namespace

icu::UnicodeString trimmedWhere(const icu::UnicodeString& text, bool (*isTrimmed)(char16_t)) {
    const auto [start, end] = keptBetween(text, isTrimmed);
    if (start == 0 && end == text.length())
        return text;  // shares the buffer instead of copying it
    return icu::UnicodeString(text, start, end - start);
}

bool isBlank(const icu::UnicodeString& text) {
    for (int32_t i = 0; i < text.length(); ++i)
        if (!u_isUWhiteSpace(text.charAt(i)))
            return false;
    return true;
}

icu::UnicodeString trimmed(const icu::UnicodeString& text) {
    return trimmedWhere(text, isWhiteSpaceUnit);
}

icu::UnicodeString trimmedInPlace(const icu::UnicodeString& text) {
    const auto [start, end] = keptBetween(text, isWhiteSpaceUnit);
    return text.tempSubStringBetween(start, end);
}

icu::UnicodeString trimmedOfSpacesAndTabs(const icu::UnicodeString& text) {
    return trimmedWhere(text, [](char16_t c) { return bool(u_isblank(c)); });
}

icu::UnicodeString formatted(const icu::UnicodeString& format, std::initializer_list<icu::UnicodeString> arguments) {
    // Passes build their output piece by piece with this: a stop point for
    // the passes that run long without searching (a table of a million cells).
    stopIfOverBudget();
    icu::UnicodeString out;
    const icu::UnicodeString marker(u"%@");
    auto argument = arguments.begin();
    int32_t from = 0;
    for (int32_t at = format.indexOf(marker); at >= 0 && argument != arguments.end();
         at = format.indexOf(marker, from)) {
        out.append(format, from, at - from).append(*argument++);
        from = at + marker.length();
    }
    out.append(format, from, format.length() - from);
    return out;
}

// One walk over the text: only at a character that starts some piece are
// the pieces compared (an empty piece is found nowhere, as with indexOf).
bool containsAny(const icu::UnicodeString& text, std::initializer_list<const char16_t*> pieces) {
    const char16_t* chars = text.getBuffer();
    const int32_t length = text.length();
    if (!chars)
        return false;
    uint64_t firstBelow64 = 0;
    uint64_t firstBelow128 = 0;
    bool firstAbove128 = false;
    for (const char16_t* piece : pieces) {
        const char16_t c = piece[0];
        if (c == 0)
            continue;
        if (c < 64)
            firstBelow64 |= uint64_t(1) << c;
        else if (c < 128)
            firstBelow128 |= uint64_t(1) << (c - 64);
        else
            firstAbove128 = true;
    }
    for (int32_t at = 0; at < length; ++at) {
        const char16_t c = chars[at];
        const bool starts = c < 64 ? (firstBelow64 >> c) & 1 : c < 128 ? (firstBelow128 >> (c - 64)) & 1 : firstAbove128;
        if (!starts)
            continue;
        for (const char16_t* piece : pieces) {
            if (piece[0] != c)
                continue;
            int32_t matched = 1;
            while (piece[matched] != 0 && at + matched < length && chars[at + matched] == piece[matched])
                ++matched;
            if (piece[matched] == 0)
                return true;
        }
    }
    return false;
}

bool containsIgnoringCase(const icu::UnicodeString& text, const icu::UnicodeString& lowerPiece) {
    icu::UnicodeString lower(text);
    lower.toLower();
    return lower.indexOf(lowerPiece) >= 0;
}

bool regionOpenAfter(const icu::UnicodeString& line, bool openBefore, std::initializer_list<const char16_t*> openings,
                     std::initializer_list<const char16_t*> closings) {
    int32_t lastOpening = -1;
    int32_t lastClosing = -1;
    for (const char16_t* opening : openings)
        lastOpening = std::max(lastOpening, line.lastIndexOf(opening));
    for (const char16_t* closing : closings)
        lastClosing = std::max(lastClosing, line.lastIndexOf(closing));
    if (lastOpening < 0 && lastClosing < 0)
        return openBefore;
    return lastOpening > lastClosing;
}

icu::UnicodeString escapedTagCharacters(const icu::UnicodeString& text) {
    icu::UnicodeString out(text);
    replaceAllLiteral(out, u"<", u"&lt;");
    replaceAllLiteral(out, u">", u"&gt;");
    return out;
}

// One walk; the same as replacing "&" first and then "<" and ">", as the
// entities put in hold neither "<" nor ">".
icu::UnicodeString escapedHTML(const icu::UnicodeString& text) {
    const char16_t* buffer = text.getBuffer();
    const int32_t length = text.length();
    int32_t at = 0;
    while (at < length && buffer[at] != u'&' && buffer[at] != u'<' && buffer[at] != u'>')
        ++at;
    if (at == length)
        return text;
    icu::UnicodeString out = emptyWithRoomFor(text);
    int32_t copiedUpTo = 0;
    for (; at < length; ++at) {
        const char16_t c = buffer[at];
        if (c != u'&' && c != u'<' && c != u'>')
            continue;
        out.append(buffer, copiedUpTo, at - copiedUpTo);
        if (c == u'&')
            out.append(u"&amp;", 5);
        else
            out.append(c == u'<' ? u"&lt;" : u"&gt;", 4);
        copiedUpTo = at + 1;
    }
    return out.append(buffer, copiedUpTo, length - copiedUpTo);
}

icu::UnicodeString escapedAttributeValue(const icu::UnicodeString& text) {
    if (!containsAny(text, {u"&", u"\"", u"<", u">"}))
        return text;
    icu::UnicodeString out(text);
    replaceAll(out, u"&(?!#[0-9]+;|#[xX][0-9a-fA-F]+;|[a-zA-Z][a-zA-Z0-9]*;)", u"&amp;");
    replaceAllLiteral(out, u"\"", u"&quot;");
    return escapedTagCharacters(out);
}

icu::UnicodeString emptyWithRoomFor(const icu::UnicodeString& text) {
    return emptyWithRoomForLength(int64_t{text.length()} + text.length() / 8 + 16);
}

icu::UnicodeString emptyWithRoomForLength(int64_t length) {
    return icu::UnicodeString(static_cast<int32_t>(std::clamp<int64_t>(length, 0, INT32_MAX - 1)), UChar32(0), 0);
}

icu::UnicodeString number(int64_t n) {
    return icu::UnicodeString::fromUTF8(std::to_string(n));
}

icu::UnicodeString fromUtf8(std::string_view utf8) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
}

std::string toUtf8(const icu::UnicodeString& text) {
    std::string out;
    text.toUTF8String(out);
    return out;
}

}  // namespace engine

icu::UnicodeString ConverterBase::htmlentities(const icu::UnicodeString& string) {
    static const std::pair<char16_t, const char16_t*> entities[] = {
        {u'&', u"&amp;"},   {u'"', u"&quot;"},  {u'>', u"&gt;"},    {u'<', u"&lt;"},
        {u'ä', u"&auml;"},  {u'ö', u"&ouml;"},  {u'ü', u"&uuml;"},  {u'Ä', u"&Auml;"},
        {u'Ö', u"&Ouml;"},  {u'Ü', u"&Uuml;"},  {u'ß', u"&szlig;"},
    };
    // One walk, each character looked up once: the entities hold none of the
    // characters replaced, so this is what replacing "&" first and then each
    // character in turn gives.
    auto entityFor = [](char16_t c) -> const char16_t* {
        if (c != u'&' && c != u'"' && c != u'<' && c != u'>' && c < 0xC4)
            return nullptr;
        for (const auto& [character, entity] : entities)
            if (c == character)
                return entity;
        return nullptr;
    };
    const char16_t* chars = string.getBuffer();
    const int32_t length = string.length();
    icu::UnicodeString out = engine::emptyWithRoomFor(string);
    int32_t copiedUpTo = 0;
    for (int32_t at = 0; at < length; ++at) {
        const char16_t* entity = entityFor(chars[at]);
        if (!entity)
            continue;
        out.append(string, copiedUpTo, at - copiedUpTo).append(entity, -1);
        copiedUpTo = at + 1;
    }
    return out.append(string, copiedUpTo, length - copiedUpTo);
}

// "\s+$" removed: ICU's \s is exactly White_Space, which holds every line
// end character, so the match before a final line end is the same run.
icu::UnicodeString ConverterBase::rtrim_Vant(const icu::UnicodeString& string) {
    int32_t end = string.length();
    while (end > 0 && u_isUWhiteSpace(string.charAt(end - 1)))
        --end;
    return end == string.length() ? string : icu::UnicodeString(string, 0, end);
}

// "^\s*" removed.
icu::UnicodeString ConverterBase::ltrim_Vant(const icu::UnicodeString& string) {
    int32_t start = 0;
    while (start < string.length() && u_isUWhiteSpace(string.charAt(start)))
        ++start;
    return start == 0 ? string : icu::UnicodeString(string, start);
}

unsigned ConverterBase::countAtStartOfString(const icu::UnicodeString& marker, const icu::UnicodeString& inString) {
    if (marker.isEmpty())
        return 0;
    unsigned count = 0;
    int32_t at = 0;
    while (inString.compare(at, marker.length(), marker) == 0 && at + marker.length() <= inString.length()) {
        ++count;
        at += marker.length();
    }
    // Split into pieces, a text made only of markers ends in one more empty
    // piece than it has markers.
    return at == inString.length() ? count + 1 : count;
}
