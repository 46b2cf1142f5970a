#include "wikitext/WikitextConverter.h"

#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"

namespace {

// A block starts at a line whose "*" or "#" marker (after other
// non-alphanumeric characters, as in ":*") is followed by white space, or at
// a line that begins with the marker itself ("*item"), and runs to the next
// blank line or the end of the text. The lead-in stays on its line and never
// holds "|" or "!", so a table cell that begins with "* " does not start a
// list that would swallow the table.
const char16_t* const kListBlockPattern = uR"((?m)^(?:[^A-Za-z0-9\n|!]*[*#][ \t]|[*#])(.*?)(?:\n\n|\n?\z))";

icu::UnicodeString tabs(int32_t count) {
    icu::UnicodeString out;
    for (int32_t i = 0; i < count; ++i)
        out += u'\t';
    return out;
}

bool isMarker(char16_t c) {
    return c == u'*' || c == u'#' || c == u':' || c == u';';
}

// The depth of an item line: the number of markers it begins with ("**",
// "#*", "#:"), with or without a space behind them. A line that does not
// begin with "*" or "#" is no item: -1.
int32_t itemDepth(const icu::UnicodeString& line) {
    if (line.isEmpty() || (line[0] != u'*' && line[0] != u'#'))
        return -1;
    int32_t depth = 1;
    while (depth < line.length() && isMarker(line[depth]))
        ++depth;
    return depth;
}

}  // namespace

void WikitextConverter::performLists() {
    auto matches = matchesForDotMatchedPattern(kListBlockPattern);
    if (!matches || matches->empty())
        return;
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& match : *matches)
        edits.push_back({match.start(), match.end(), listHTML(match.text())});
    engine::applyRangeEdits(str, std::move(edits));
}

icu::UnicodeString WikitextConverter::listHTML(const icu::UnicodeString& block) const {
    icu::UnicodeString html;
    std::vector<icu::UnicodeString> closings;
    int32_t level = 1;
    icu::UnicodeString outerClosing;
    for (const icu::UnicodeString& line : engine::split(block, u"\n")) {
        if (line.isEmpty())
            continue;
        const int32_t depth = itemDepth(line);
        if (depth < 0) {
            html += engine::formatted(u"<br%@%@", {HTML_close, line});
            continue;
        }
        const bool numbered = line[0] == u'#';
        const icu::UnicodeString text(line, depth);
        if (outerClosing.isEmpty()) {
            // The level stays 1 whatever the depth of the first item.
            html += numbered ? u"\n<ol>" : u"\n<ul>";
            html += engine::formatted(u"\n\t<li>%@", {text});
            outerClosing = numbered ? u"</ol>\n\n" : u"</ul>\n\n";
        } else if (depth == level) {
            html += engine::formatted(u"</li>\n%@<li>%@", {tabs(level), text});
        } else if (depth > level) {
            // One level deeper per item, however many markers it has.
            html += engine::formatted(numbered ? u"\n%@<ol>\n" : u"\n%@<ul>\n", {tabs(level)});
            closings.push_back(engine::formatted(numbered ? u"%@</ol></li>" : u"%@</ul></li>", {tabs(level)}));
            ++level;
            html += engine::formatted(u"%@<li>%@", {tabs(level), text});
        } else {
            for (int32_t i = 0; i < level - depth && !closings.empty(); ++i) {
                html += engine::formatted(u"\n%@\n", {closings.back()});
                closings.pop_back();
            }
            html += engine::formatted(u"%@<li>%@", {tabs(depth), text});
            level = depth;
        }
    }
    // Without a single item (":* a" is no item) there is no list to build.
    if (outerClosing.isEmpty())
        return block;
    html += u"</li>\n";
    for (auto closing = closings.rbegin(); closing != closings.rend(); ++closing)
        html += engine::formatted(u"%@\n", {*closing});
    return html + outerClosing;
}
