#include "wikitext/WikitextConverter.h"

#include <map>

#include "engine/RangeEdits.h"
#include "engine/TextSearch.h"
#include "engine/TextUtilities.h"

namespace {

const char16_t* const kInfoboxStartPattern = uR"(\{\{Infobox)";

bool pairAt(const icu::UnicodeString& text, int32_t at, char16_t c) {
    return at + 1 < text.length() && text[at] == c && text[at + 1] == c;
}

// An infobox as the pairing walk found it: where its "}}" stands, and the
// "|" that separate its own entries.
struct InfoboxExtent {
    int32_t close = -1;
    std::vector<int32_t> separators;
};

// Values often hold templates of their own ({{coord|…}}, {{birth date|…}}):
// an infobox ends at the "}}" that closes its own "{{", and only its own "|"
// separate entries. One walk pairs every "{{" with its "}}", so unclosed
// templates cost no rescans.
std::map<int32_t, InfoboxExtent> pairInfoboxes(const icu::UnicodeString& text, std::map<int32_t, InfoboxExtent> boxes) {
    std::vector<int32_t> open;
    const char16_t* chars = text.getBuffer();
    const int32_t length = text.length();
    for (int32_t i = engine::firstOfUnits(chars, 0, length, u'{', u'}', u'|'); i < length;
         i = engine::firstOfUnits(chars, i + 1, length, u'{', u'}', u'|')) {
        if (pairAt(text, i, u'{')) {
            open.push_back(i++);
        } else if (pairAt(text, i, u'}')) {
            if (!open.empty()) {
                if (auto box = boxes.find(open.back()); box != boxes.end())
                    box->second.close = i;
                open.pop_back();
            }
            ++i;
        } else if (text[i] == u'|' && !open.empty()) {
            if (auto box = boxes.find(open.back()); box != boxes.end())
                box->second.separators.push_back(i);
        }
    }
    return boxes;
}

}  // namespace

void WikitextConverter::infoboxFormatting() {
    auto starts = matchesAtOpenings(kInfoboxStartPattern);
    if (!starts || starts->empty())
        return;
    std::map<int32_t, InfoboxExtent> boxes;
    for (const engine::Match& start : *starts)
        boxes[start.start()];
    boxes = pairInfoboxes(str, std::move(boxes));
    // Each infobox at its own place: a copy of an earlier one is converted too.
    std::vector<engine::RangeEdit> edits;
    int32_t coveredUpTo = 0;
    for (const auto& [start, box] : boxes) {
        // Unclosed, or its "}}" not followed by a line end: it stays as text.
        if (start < coveredUpTo || box.close < 0 || box.close + 2 >= str.length() || str[box.close + 2] != u'\n')
            continue;
        std::vector<icu::UnicodeString> pieces;
        int32_t from = start;
        for (int32_t separator : box.separators) {
            pieces.emplace_back(str, from, separator - from);
            from = separator + 1;
        }
        pieces.emplace_back(str, from, box.close - from);
        edits.push_back({start, box.close + 3, infoboxHTML(pieces)});
        coveredUpTo = box.close + 3;
    }
    engine::applyRangeEdits(str, std::move(edits));
}

icu::UnicodeString WikitextConverter::infoboxHTML(const std::vector<icu::UnicodeString>& pieces) const {
    const icu::UnicodeString separator(u" = ");
    icu::UnicodeString title(pieces[0]);
    engine::replaceFirstOccurencyOfString(title, u"{{Infobox", u"");
    icu::UnicodeString html =
        engine::formatted(u"<table border=\"1\"><tr><th colspan=\"2\">%@</th></tr>", {engine::trimmed(title)});
    for (size_t i = 1; i < pieces.size(); ++i) {
        // An entry without " = " has an empty value; a value that holds
        // " = " itself is kept whole.
        const int32_t at = pieces[i].indexOf(separator);
        icu::UnicodeString key = at < 0 ? pieces[i] : icu::UnicodeString(pieces[i], 0, at);
        icu::UnicodeString value = at < 0 ? icu::UnicodeString() : icu::UnicodeString(pieces[i], at + separator.length());
        html += engine::formatted(
            u"\n<tr>\n\t<td valign=\"top\">\n\t\t<strong>%@</strong>\n\t</td>\n\t<td>%@\n\t</td>\n</tr>",
            {engine::trimmed(key), engine::trimmed(value)});
    }
    return html + u"</table>\n";
}
