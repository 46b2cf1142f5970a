#include "wikitext/WikitextConverter.h"

#include <string>

#include "engine/RangeEdits.h"
#include "engine/Placeholders.h"
#include "engine/Regex.h"
#include "engine/TextUtilities.h"

namespace {

// One reference on one line: the opening tag with its attributes (group 1)
// ends at its own ">", so two references on a line stay two, and emphasis or
// links in the note (group 2) are the note's own. "<ref name=x />" reuses a
// note and opens none. A note never runs into the next "<ref", which also
// keeps a line of unclosed tags from being searched to its end from each.
const char16_t* const kReferencePattern = uR"(<ref(\s[^<>\n]*)?(?<!/)>((?:(?!<ref[\s>/]).)*?)</ref>)";

const char16_t* const kNameAttributePattern = uR"(name\s*=\s*(?:\"([^\"]*)\"|'([^']*)'|([^\s\"'/>]+)))";

// The value of the name attribute, made fit for an id and for the quoted
// hash of a JavaScript link: no quotes, "_" for white space.
icu::UnicodeString referenceName(const icu::UnicodeString& attributes) {
    auto found = engine::findFirst(attributes, kNameAttributePattern);
    if (!found)
        return {};
    icu::UnicodeString name;
    for (int group = 1; group <= 3; ++group)
        if (found->took_part(group))
            name = found->text(group);
    name = engine::trimmed(name);
    engine::replaceAll(name, uR"(\s)", u"_");
    engine::replaceAll(name, uR"([\"'<>&])", u"");
    return name;
}

}  // namespace

void WikitextConverter::performReferences() {
    auto matches = matchesAtOpenings(kReferencePattern);
    if (!matches || matches->empty())
        return;
    icu::UnicodeString list(u"<ol>\n");
    std::vector<engine::RangeEdit> links;
    long n = 1;
    for (const engine::Match& match : *matches) {
        const icu::UnicodeString name = referenceName(match.text(1));
        const icu::UnicodeString backLinkId = name.isEmpty() ? u"cite_ref-" + engine::number(n) : name + u"_ref";
        const icu::UnicodeString noteId = name.isEmpty() ? u"cite_note-" + engine::number(n) : name + u"_note";
        links.push_back({match.start(), match.end(),
                         engine::formatted(u" <a href=\"%@%@%@\"><sup id=\"%@\">[%@]</sup></a>",
                                           {javaScriptHashStart, noteId, javaScriptHashEnd, backLinkId, engine::number(n)})});
        list += engine::formatted(u"\t<li id=\"%@\"> <a href=\"%@%@%@\">&#x2191;</a> <small>%@</small></li>\n",
                                  {noteId, javaScriptHashStart, backLinkId, javaScriptHashEnd, match.text(2)});
        ++n;
    }
    list += u"</ol>";
    // Each reference at its own place, so identical notes are numbered one by one.
    engine::applyRangeEdits(str, std::move(links));
    engine::replaceFirstOccurencyOfString(str, u"<references/>", list);
    engine::replaceFirstOccurencyOfString(str, u"<references />", list);
}
