// Pieces cut out of the text before the rules run and put back after the
// block passes: comments (deleted), inline HTML, link targets, images, media
// and bare web addresses.
#include "tessel/TesselConverter.h"

#include "engine/Log.h"
#include "engine/MatchSteps.h"
#include "engine/DoubledMarkerSpans.h"
#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"
#include "tessel/DescribedImages.h"

namespace {

// As the rule table reads named links: the target ends at the first "]" and
// stays on its line, as the bracket links of the other languages do. Every
// match holds "::" and none crosses a "\n", so only the lines that hold "::"
// are searched.
const char16_t* const kNamedLink = uR"(\[([^\]\n]*?)::(.*?)\])";
const std::vector<icu::UnicodeString> kNamedLinkNeedles = {u"::"};

// "@@html@@" kept as written, and "[[target]]" links.
const icu::UnicodeString kInlineHtml = uR"(@@(.*?)@@)";
const icu::UnicodeString kRootedLink = uR"(\[\[(.*?)\]\])";

std::vector<engine::Match> orNone(std::optional<std::vector<engine::Match>> matches) {
    return matches ? std::move(*matches) : std::vector<engine::Match>{};
}

}  // namespace

void TesselConverter::commentedText() {
    // A block from a "$ " line to the next blank line, blank line included.
    std::vector<engine::RangeEdit> deletions;
    static const icu::UnicodeString commentBlock =
        engine::formatted(uR"((?m)^[ ]*\${1,}[ ]+%@\n\n)", {engine::spanBeforeDoubled(u"\\n")});
    // Tried only at the line starts whose first "$" comes after spaces alone.
    engine::SearchPlan plan = engine::linesStartingWith(str, u"$", INT32_MAX);
    plan.limit = engine::endOfLastOccurrence(str, u"\n\n");
    for (const engine::Match& block :
         orNone(engine::findAllAt(str, commentBlock,
                                  engine::atPlannedStarts(std::move(plan), commentBlock, engine::kDotMatchesLineSeparators),
                                  engine::kDotMatchesLineSeparators)))
        deletions.push_back({block.start(), block.end(), {}});
    engine::applyRangeEdits(str, std::move(deletions));
}

void TesselConverter::saveInlineHTML() {
    engine::RegexResult result;
    auto matches =
        engine::findAllAt(str, kInlineHtml, engine::atOpenings(kInlineHtml, engine::kNoOptions), engine::kNoOptions, &result);
    if (result.status == engine::RegexStatus::invalidPattern)
        engine::log(u"Error inlineHTML %@", {result.error});
    if (!matches)
        return;
    // Only the inline pieces: the "+html+" blocks are tokens already, and what
    // they hold (an "@@" too) stays exactly as written.
    std::vector<engine::RangeEdit> edits;
    int64_t number = 1;
    for (const engine::Match& match : *matches) {
        icu::UnicodeString html = match.text();
        engine::replaceAllLiteral(html, u"@@", u"");
        icu::UnicodeString token = inlineHTML_.set(number++, html);
        edits.push_back({match.start(), match.end(), kTokenFence + token + kTokenFence});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

// Takes the fences of both raw kinds away, then puts the inline pieces back;
// the raw blocks follow.
void TesselConverter::returnSavedInlineHTML() {
    engine::replaceAllLiteral(str, icu::UnicodeString(kTokenFence), u"");
    inlineHTML_.restoreInto(str);
}

void TesselConverter::saveURLsAndPaths() {
    int64_t counter = 1;
    saveRootedLinkTargets(counter);
    saveNamedLinkTargets(counter);
    saveDescribedImages(counter);
    saveBareReferences(counter);
}

// "[[target]]" and "[[target::text]]": the target is kept raw like that of a
// named link, so that an address or image name in it stays one address (not
// HTML of its own inside an attribute) and the rules leave it alone.
void TesselConverter::saveRootedLinkTargets(int64_t& counter) {
    std::vector<engine::RangeEdit> edits;
    const auto links = engine::findAllAt(str, kRootedLink, engine::atOpenings(kRootedLink, engine::kNoOptions));
    for (const engine::Match& link : orNone(links)) {
        const icu::UnicodeString& inside = link.text(1);
        int32_t separator = inside.indexOf(u"::");
        int32_t length = separator >= 0 ? separator : inside.length();
        if (length == 0)
            continue;
        icu::UnicodeString target(inside, 0, length);
        edits.push_back({link.start(1), link.start(1) + length, saveForLaterReturn.links.set(counter++, target)});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

void TesselConverter::saveNamedLinkTargets(int64_t& counter) {
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& link : matchesInLinesWith(kNamedLink, kNamedLinkNeedles)) {
        icu::UnicodeString target = engine::split(link.text(), u"::").front();
        int32_t targetStart = link.start();
        if (target.length() >= 2) {
            target.remove(0, 1);
            ++targetStart;
        }
        // Footnotes and rooted links belong to the rule table.
        if (target.startsWith(u"^") || target.startsWith(u"["))
            continue;
        edits.push_back({targetStart, targetStart + target.length(), saveForLaterReturn.links.set(counter++, target)});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

// "(description)[source]".
void TesselConverter::saveDescribedImages(int64_t& counter) {
    std::vector<engine::RangeEdit> edits;
    for (const engine::TextRange image : tessel::describedImages(str)) {
        auto pieces = engine::split(icu::UnicodeString(str, image.start + 1, image.end - image.start - 2), u")[");
        const icu::UnicodeString& description = pieces.front();
        const icu::UnicodeString source = pieces.size() > 1 ? pieces[1] : icu::UnicodeString();
        icu::UnicodeString html = engine::formatted(u"<img src=\"%@\" alt=\"%@\" title=\"%@\"%@",
                                                    {source, description, description, HTML_close});
        edits.push_back({image.start, image.end, saveForLaterReturn.links.set(counter++, html)});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

// Bare image, video and audio file names and web addresses, each kind in turn,
// so that an image address is a token before the address kind looks.
void TesselConverter::saveBareReferences(int64_t& counter) {
    struct Reference {
        const char16_t* pattern;
        std::vector<icu::UnicodeString> needles;  // a match holds one of them
        icu::UnicodeString templateText;
    };
    const Reference references[] = {
        {uR"((?<!=\")(([a-zA-Z0-9-\.\:\&\/\_%])+\.+(jpg|png|gif))(?!\"))", {u"jpg", u"png", u"gif"},
         engine::formatted(u"<img src=\"%@\"%@", {u"%@", HTML_close})},
        {uR"((?<!=\")(([a-zA-Z0-9-\.\:\&\/\_%])+\.+(mp4))(?!\"))", {u"mp4"},
         u"<video src=\"%@\" type=\"video/mp4\" controls=\"controls\">Not supported</video>"},
        {uR"((?<!=\")(([a-zA-Z0-9-\.\:\&\/\_%])+\.+(mp3))(?!\"))", {u"mp3"},
         u"<audio src=\"%@\" type=\"audio/mp3\" controls=\"controls\">Not supported</audio>"},
        // The sentence keeps its punctuation: an address does not end in
        // . ; ! or ?, and takes a ")" only to close a "(" of its own.
        {uR"((?<!=\")(http[s]{0,1}:\/\/)((?:[a-zA-Z0-9-]++\.)++[a-zA-Z0-9\-+.\/_?%#&=;~!()]*(?:(?<=[a-zA-Z0-9\-+\/_%#&=~])|(?<=[a-zA-Z0-9\-+.\/_?%#&=;~!]\))(?<=\([a-zA-Z0-9\-+.\/_?%#&=;~!]{0,40}\)))))",
         {u"http"}, u"<a href=\"%@\">%@</a>"},
    };
    // No token holds "::": a text without one has no named link after any kind.
    const bool mayHoldLinks = str.indexOf(u"::") >= 0;
    for (const Reference& reference : references) {
        // A name or address inside a link's text stays text: the link copies
        // its text into attributes, where HTML of its own does not belong.
        const auto links =
            mayHoldLinks ? matchesInLinesWith(kNamedLink, kNamedLinkNeedles) : std::vector<engine::Match>{};
        auto link = links.begin();
        std::vector<engine::RangeEdit> edits;
        for (const engine::Match& found : matchesInLinesWith(reference.pattern, reference.needles)) {
            while (link != links.end() && link->end() <= found.start())
                ++link;
            if (link != links.end() && link->start() <= found.start())
                continue;
            icu::UnicodeString html = engine::formatted(reference.templateText, {found.text(), found.text()});
            edits.push_back({found.start(), found.end(), saveForLaterReturn.links.set(counter++, html)});
        }
        engine::applyRangeEdits(str, std::move(edits));
    }
}

// Innermost last: definition lists may hold lists and tables, lists may hold
// tables, and all of them links; a token copied into two places comes back in
// both.
void TesselConverter::returnSavedPieces() {
    saveForLaterReturn.definitionLists.restoreInto(str);
    saveForLaterReturn.lists.restoreInto(str);
    saveForLaterReturn.tables.restoreInto(str);
    saveForLaterReturn.links.restoreInto(str);
}
