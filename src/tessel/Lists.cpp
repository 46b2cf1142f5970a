// Bulleted and numbered lists (nested by tabs) and "::" definition lists.
// Each block is replaced by a token and its HTML waits in saveForLaterReturn.
#include "tessel/TesselConverter.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "engine/MatchSteps.h"
#include "engine/Log.h"
#include "engine/DoubledMarkerSpans.h"
#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"

namespace {

// A numbered item is a digit and ". " (the item pass reads it so too); any
// character in place of the dot would take "42 apples" for a list.
// The block runs to the first blank line: "(.*?)\n\n", spelled so that ICU
// need not save its state at every character of a long block.
const icu::UnicodeString kListBlock = engine::formatted(
    uR"((?m)(^([^A-Za-z ]{0,})([0-9])\.[ \t]{1,}|^([^A-Za-z0-9 ]{0,})([*\-+])[ \t]{1,})%@\n\n)",
    {engine::spanBeforeDoubled(u"\\n")});
const icu::UnicodeString kDefinitionListBlock =
    engine::formatted(uR"((?m)^([^A-Za-z\t ]{0,})(::)[ \t]{0,}%@\n\n)", {engine::spanBeforeDoubled(u"\\n")});

// The marker's lead-in may run over line ends (blank lines, lines of digits or
// punctuation); the block starts at the line of its first marker, so that what
// stands before it keeps its own paragraph.
int32_t blockStart(const icu::UnicodeString& text, const engine::Match& block, int32_t markerStart) {
    int32_t lineStart = text.lastIndexOf(u'\n', 0, markerStart) + 1;
    return lineStart > block.start() ? lineStart : block.start();
}

icu::UnicodeString tabs(int count) {
    icu::UnicodeString out;
    for (int i = 0; i < count; ++i)
        out.append(u'\t');
    return out;
}

bool isBullet(char16_t c) { return c == u'*' || c == u'+' || c == u'-'; }

bool isAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// A block pattern "(?m)^([^…]{0,})marker…\n\n": the characters its
// lead-in takes and where a marker that may follow the lead-in stands.
// "[^A-Za-z ]{0,}" before "[0-9]\.[ \t]".
struct NumberedItem {
    static bool takes(char16_t c) { return !isAsciiLetter(c) && c != u' '; }
    static bool markerAt(const char16_t* chars, int32_t length, int32_t at) {
        return at + 2 < length && isDigit(chars[at]) && chars[at + 1] == u'.' && isBlank(chars[at + 2]);
    }
};
// "[^A-Za-z0-9 ]{0,}" before "[*\-+][ \t]".
struct BulletedItem {
    static bool takes(char16_t c) { return !isAsciiLetter(c) && !isDigit(c) && c != u' '; }
    static bool markerAt(const char16_t* chars, int32_t length, int32_t at) {
        return at + 1 < length && isBullet(chars[at]) && isBlank(chars[at + 1]);
    }
};
// "[^A-Za-z\t ]{0,}" before "::".
struct DefinitionTerm {
    static bool takes(char16_t c) { return !isAsciiLetter(c) && !isBlank(c); }
    static bool markerAt(const char16_t* chars, int32_t length, int32_t at) {
        return at + 1 < length && chars[at] == u':' && chars[at + 1] == u':';
    }
};

// Adds the line starts (after any line end "(?m)^" knows; a few more do no
// harm) from which the lead-in reaches a marker: in one walk over the runs
// of characters it takes, the starts in a run up to its last marker. A
// marker's own characters are ones the lead-in takes too, so a marker
// belongs to the run of the lead-in before it. Most lines start with a
// letter or a space, which no lead-in takes.
template <typename LeadIn>
void addStartsReachingMarker(const icu::UnicodeString& text, int32_t limit, std::vector<int32_t>& starts) {
    const char16_t* chars = text.getBuffer();
    const int32_t length = text.length();
    for (int32_t at = 0; at < limit;) {
        if (!LeadIn::takes(chars[at])) {
            ++at;
            continue;
        }
        int32_t runEnd = at;
        int32_t lastMarker = -1;
        for (; runEnd < length && LeadIn::takes(chars[runEnd]); ++runEnd)
            if (LeadIn::markerAt(chars, length, runEnd))
                lastMarker = runEnd;
        for (int32_t start = at; start <= lastMarker && start < limit; ++start)
            if (start == 0 || engine::endsLineForDot(chars[start - 1]))
                starts.push_back(start);
        at = runEnd;
    }
}

// Where the block pattern can match: a line start from which one of the
// lead-ins reaches its marker, no later than the last blank line.
template <typename... LeadIns>
engine::SearchPlan blockStarts(const icu::UnicodeString& text) {
    engine::SearchPlan plan;
    plan.limit = engine::endOfLastOccurrence(text, u"\n\n");
    if (plan.limit < 0)
        return plan;
    (addStartsReachingMarker<LeadIns>(text, plan.limit, plan.starts), ...);
    std::sort(plan.starts.begin(), plan.starts.end());
    plan.starts.erase(std::unique(plan.starts.begin(), plan.starts.end()), plan.starts.end());
    return plan;
}

std::optional<std::vector<engine::Match>> blocksMatching(const icu::UnicodeString& text,
                                                         const icu::UnicodeString& pattern,
                                                         const engine::SearchPlan& plan) {
    engine::RegexResult result;
    auto matches = engine::findAllAt(text, pattern, engine::atPlannedStarts(plan, pattern, engine::kDotMatchesLineSeparators),
                                     engine::kDotMatchesLineSeparators, &result);
    if (result.status == engine::RegexStatus::invalidPattern)
        engine::log(u"Error for Pattern %@ - %@", {pattern, result.error});
    return matches;
}

}  // namespace

void TesselConverter::listTransform() {
    auto blocks = blocksMatching(str, kListBlock, blockStarts<NumberedItem, BulletedItem>(str));
    if (!blocks)
        return;
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& block : *blocks) {
        int32_t marker = block.took_part(3) ? block.start(3) : block.start(5);
        int32_t start = blockStart(str, block, marker);
        icu::UnicodeString html = listHTML(icu::UnicodeString(str, start, block.end() - start));
        icu::UnicodeString token = saveForLaterReturn.lists.set(static_cast<int64_t>(edits.size()) + 1, html);
        edits.push_back({start, block.end(), token + u"\n\n"});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

icu::UnicodeString TesselConverter::listHTML(const icu::UnicodeString& block) const {
    std::vector<icu::UnicodeString> lines;
    for (const icu::UnicodeString& line : engine::split(block, u"\n"))
        if (!line.isEmpty())
            lines.push_back(line);
    if (lines.empty())
        return {};

    // The first item's indentation is the list's own level, so a list that is
    // indented as a whole is still one flat list.
    int level = 0;
    for (int32_t i = 0; i < lines.front().length(); ++i)
        level += lines.front().charAt(i) == u'\t';

    icu::UnicodeString out;
    std::vector<icu::UnicodeString> closings;
    bool outerOpen = false;
    icu::UnicodeString outerClosing;
    int items = 0;

    auto place = [&](int depth, const icu::UnicodeString& item, bool bulleted) {
        if (depth == level) {
            out += engine::formatted(u"</li>\n%@<li>%@", {tabs(level), item});
        } else if (depth > level) {
            // One level opens, however much deeper the item stands.
            if (bulleted) {
                out += engine::formatted(u"\n%@<ul>\n", {tabs(level + 1)});
                closings.push_back(engine::formatted(u"%@</ul>\n</li>", {tabs(level + 1)}));
            } else {
                out += engine::formatted(u"\n%@<ol>\n", {tabs(level)});
                closings.push_back(engine::formatted(u"%@</ol></li>", {tabs(level)}));
            }
            out += engine::formatted(u"%@<li>%@", {tabs(level + 1), item});
            level = depth;
        } else {
            if (!closings.empty()) {
                for (int popped = 0; popped < level - depth && !closings.empty(); ++popped) {
                    out += engine::formatted(u"</li>\n%@", {closings.back()});
                    closings.pop_back();
                }
                out += u"\n";
            }
            out += engine::formatted(u"%@<li>%@", {tabs(depth), item});
            level = depth;
        }
    };
    auto open = [&](const char16_t* tag, const char16_t* closing, const icu::UnicodeString& item) {
        out += tag;
        out += engine::formatted(u"\n\t<li>%@", {item});
        outerOpen = true;
        outerClosing = closing;
    };

    for (icu::UnicodeString line : lines) {
        line = rtrim_Vant(line);
        int depth = 0;
        for (int32_t i = line.indexOf(u'\t'); i >= 0; i = line.indexOf(u'\t', i)) {
            line.remove(i, 1);
            ++depth;
        }
        if (line.isEmpty())
            continue;
        const char16_t first = line.charAt(0);
        if (isDigit(first) && line.indexOf(u". ") >= 0) {
            icu::UnicodeString item(line, line.indexOf(u'.') + 2);
            ++items;
            if (!outerOpen)
                open(u"<ol>", u"</ol>", item);
            else
                place(depth, item, false);
        } else if (isBullet(first)) {
            if (line.length() <= 2)
                continue;
            icu::UnicodeString item(line, 2);
            ++items;
            if (!outerOpen)
                open(u"<ul>", u"</ul>", item);
            else
                place(depth, item, true);
        } else {
            // A line that is no item continues the item before it.
            out += engine::formatted(u"<br%@%@", {HTML_close, line});
        }
    }
    if (items > 0)
        out += u"</li>\n";
    while (!closings.empty()) {
        out += engine::formatted(u"%@\n", {closings.back()});
        closings.pop_back();
    }
    out += outerClosing;
    out += u"\n";
    return out;
}

void TesselConverter::definitionListTransForm() {
    auto blocks = blocksMatching(str, kDefinitionListBlock, blockStarts<DefinitionTerm>(str));
    if (!blocks)
        return;
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& block : *blocks) {
        int32_t start = blockStart(str, block, block.start(2));
        icu::UnicodeString html = definitionListHTML(icu::UnicodeString(str, start, block.end() - start));
        icu::UnicodeString token =
            saveForLaterReturn.definitionLists.set(static_cast<int64_t>(edits.size()) + 1, html);
        edits.push_back({start, block.end(), token + u"\n\n"});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

// "::Term: first meaning: second meaning", several terms per block.
icu::UnicodeString TesselConverter::definitionListHTML(const icu::UnicodeString& block) const {
    int32_t from = 0;
    int32_t to = block.length();
    while (from < to && (block.charAt(from) == u' ' || block.charAt(from) == u'\t'))
        ++from;
    while (to > from && (block.charAt(to - 1) == u' ' || block.charAt(to - 1) == u'\t'))
        --to;
    std::vector<icu::UnicodeString> terms = engine::split(icu::UnicodeString(block, from, to - from), u"::");

    icu::UnicodeString out(u"<dl>\n");
    const icu::UnicodeString lineBreak = engine::formatted(u"<br%@", {HTML_close});
    for (size_t t = 1; t < terms.size(); ++t) {
        std::vector<icu::UnicodeString> parts = engine::split(terms[t], u":");
        out += engine::formatted(u"\t<dt>%@</dt>\n", {engine::trimmed(parts.front())});
        for (size_t d = 1; d < parts.size(); ++d) {
            icu::UnicodeString definition = engine::trimmed(parts[d]);
            engine::replaceAllLiteral(definition, u"\n", lineBreak);
            out += engine::formatted(u"\t<dd>%@</dd>\n", {definition});
        }
    }
    out += u"</dl>";
    return out;
}
