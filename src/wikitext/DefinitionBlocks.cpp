#include "wikitext/WikitextConverter.h"

#include <algorithm>

#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"

namespace {

// A line that begins with ";", with or without a space behind it.
const char16_t* const kTermLinePattern = uR"((?m)^;)";
// A line that begins with ":", indented.
const char16_t* const kIndentedLinePattern = uR"((?m)^:)";

bool isBlankLine(const icu::UnicodeString& text, int32_t start, int32_t end) {
    for (int32_t i = start; i < end; ++i)
        if (text[i] != u' ' && text[i] != u'\t')
            return false;
    return true;
}

int32_t colonDepth(const icu::UnicodeString& line) {
    int32_t depth = 0;
    while (depth < line.length() && line[depth] == u':')
        ++depth;
    return depth;
}

bool startsListItem(const icu::UnicodeString& text) {
    return text.startsWith(u"*") || text.startsWith(u"#");
}

// The content inside `levels` further definitions without a term.
icu::UnicodeString nestedDefinitions(int32_t levels, const icu::UnicodeString& content) {
    icu::UnicodeString html;
    for (int32_t i = 0; i < levels; ++i)
        html += u"<dl><dd>";
    html += content;
    for (int32_t i = 0; i < levels; ++i)
        html += u"</dd></dl>";
    return html;
}

// The end of the run of lines from `start` that begin with ":".
int32_t endOfIndentedLines(const icu::UnicodeString& text, int32_t start) {
    int32_t lineStart = start;
    int32_t end = start;
    while (lineStart < text.length() && text[lineStart] == u':') {
        end = text.indexOf(u'\n', lineStart);
        if (end < 0)
            return text.length();
        lineStart = end + 1;
    }
    return end;
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

void WikitextConverter::performDefinitionBlock() {
    auto terms = matchesAtOpenings(kTermLinePattern);
    auto indents = matchesAtOpenings(kIndentedLinePattern);
    if (!terms || !indents || (terms->empty() && indents->empty()))
        return;
    // A block runs from a ";" line to the next blank line; matches inside a
    // block already taken are part of it.
    std::vector<engine::RangeEdit> blocks;
    int32_t coveredUpTo = -1;
    for (const engine::Match& match : *terms) {
        if (match.start() < coveredUpTo)
            continue;
        const int32_t end = endOfBlock(str, match.start());
        blocks.push_back({match.start(), end,
                          definitionListHTML(icu::UnicodeString(str, match.start(), end - match.start()))});
        coveredUpTo = end;
    }
    // ":" lines outside those blocks are indented lines.
    auto block = blocks.begin();
    std::vector<engine::RangeEdit> indented;
    coveredUpTo = -1;
    for (const engine::Match& match : *indents) {
        while (block != blocks.end() && block->end < match.start())
            ++block;
        if (match.start() < coveredUpTo || (block != blocks.end() && block->start <= match.start()))
            continue;
        const int32_t end = endOfIndentedLines(str, match.start());
        const icu::UnicodeString lines(str, match.start(), end - match.start());
        indented.push_back({match.start(), end, indentedLinesHTML(lines)});
        coveredUpTo = end;
    }
    blocks.insert(blocks.end(), indented.begin(), indented.end());
    std::sort(blocks.begin(), blocks.end(), [](const auto& a, const auto& b) { return a.start < b.start; });
    engine::applyRangeEdits(str, std::move(blocks));
}

// ":a" indents a line, "::a" twice: each level is a definition without a
// term. The items of a list written under an indent (":* a") make one list.
icu::UnicodeString WikitextConverter::indentedLinesHTML(const icu::UnicodeString& block) const {
    const std::vector<icu::UnicodeString> lines = engine::split(block, u"\n");
    icu::UnicodeString html(u"<dl>\n");
    for (size_t i = 0; i < lines.size();) {
        const int32_t depth = colonDepth(lines[i]);
        icu::UnicodeString content = engine::trimmed(icu::UnicodeString(lines[i++], depth));
        if (startsListItem(content)) {
            std::vector<icu::UnicodeString> items{content};
            for (; i < lines.size() && colonDepth(lines[i]) == depth; ++i) {
                icu::UnicodeString next = engine::trimmed(icu::UnicodeString(lines[i], depth));
                if (!startsListItem(next))
                    break;
                items.push_back(next);
            }
            content = engine::trimmed(listHTML(engine::join(items, u"\n")));
        }
        html += engine::formatted(u"\t<dd>%@</dd>\n", {nestedDefinitions(depth - 1, content)});
    }
    // The line end behind the block stays the block's own.
    return html + u"</dl>";
}

// "; Term : meaning" gives a term and a definition; a line of its own that
// begins with ":" is a further definition of the same term.
icu::UnicodeString WikitextConverter::definitionListHTML(const icu::UnicodeString& block) const {
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
