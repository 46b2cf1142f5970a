#include "wikitext/Wikitext_ObjC.h"

#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"

namespace {

// A line followed by a line that begins with ";".
const char16_t* const kTermLinePattern = uR"((?m)^(.*?)[\n]{1,1};(.*?)$)";

bool isBlankLine(const icu::UnicodeString& text, int32_t start, int32_t end) {
    for (int32_t i = start; i < end; ++i)
        if (text[i] != u' ' && text[i] != u'\t')
            return false;
    return true;
}

// The end of the run of lines from `start` up to the first empty or blank line.
int32_t endOfBlock(const icu::UnicodeString& text, int32_t start) {
    int32_t blockEnd = start;
    int32_t lineStart = start;
    while (lineStart <= text.length()) {
        int32_t lineEnd = text.indexOf(u'\n', lineStart);
        if (lineEnd < 0)
            lineEnd = text.length();
        if (isBlankLine(text, lineStart, lineEnd))
            break;
        blockEnd = lineEnd;
        lineStart = lineEnd + 1;
    }
    return blockEnd;
}

bool isAlphanumeric(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// True for the ";" that ends an entity such as "&nbsp;" or "&#160;".
bool endsEntity(const icu::UnicodeString& text, int32_t at) {
    int32_t i = at - 1;
    while (i >= 0 && (isAlphanumeric(text[i]) || text[i] == u'#'))
        --i;
    return i >= 0 && i < at - 1 && text[i] == u'&';
}

// Splits at the separator where it is markup: not inside an HTML tag (the
// links and references written by earlier passes carry ":" and ";" in their
// attributes), not in an entity, and for ":" not in "://" of an address.
std::vector<icu::UnicodeString> splitAtMarkup(const icu::UnicodeString& text, char16_t separator) {
    std::vector<icu::UnicodeString> pieces;
    bool insideTag = false;
    int32_t from = 0;
    for (int32_t i = 0; i < text.length(); ++i) {
        const char16_t c = text[i];
        if (c == u'<')
            insideTag = true;
        else if (c == u'>')
            insideTag = false;
        else if (c == separator && !insideTag && !(c == u';' && endsEntity(text, i)) &&
                 !(c == u':' && text.compare(i + 1, 2, u"//") == 0)) {
            pieces.emplace_back(text, from, i - from);
            from = i + 1;
        }
    }
    pieces.emplace_back(text, from, text.length() - from);
    return pieces;
}

}  // namespace

void Wikitext_ObjC::performDefinitionBlock() {
    auto matches = matchesForPattern(kTermLinePattern);
    if (!matches || matches->empty())
        return;
    // The block runs from the ";" line to the next blank line; matches inside
    // a block already taken are part of it.
    std::vector<engine::RangeEdit> blocks;
    int32_t coveredUpTo = -1;
    for (const engine::Match& match : *matches) {
        if (match.start() < coveredUpTo)
            continue;
        const int32_t start = match.end(1) + 1;
        const int32_t end = endOfBlock(str, start);
        blocks.push_back({start, end, definitionListHTML(icu::UnicodeString(str, start, end - start))});
        coveredUpTo = end;
    }
    engine::applyRangeEdits(str, std::move(blocks));
}

// "; Term : meaning" gives a term and a definition; a line of its own that
// begins with ":" is a further definition of the same term.
icu::UnicodeString Wikitext_ObjC::definitionListHTML(const icu::UnicodeString& block) const {
    icu::UnicodeString html(u"<dl>\n");
    std::vector<icu::UnicodeString> pieces = splitAtMarkup(block, u';');
    for (size_t i = 1; i < pieces.size(); ++i) {
        std::vector<icu::UnicodeString> parts = splitAtMarkup(pieces[i], u':');
        html += engine::formatted(u"\t<dt>%@</dt>\n", {engine::trimmed(parts[0])});
        for (size_t j = 1; j < parts.size(); ++j) {
            icu::UnicodeString definition = engine::trimmed(parts[j]);
            engine::replaceAllLiteral(definition, u"\n", engine::formatted(u"<br%@", {HTML_close}));
            html += engine::formatted(u"\t<dd>%@</dd>\n", {definition});
        }
    }
    return html + u"</dl>\n";
}
