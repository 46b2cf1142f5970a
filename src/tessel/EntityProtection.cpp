// Escaping of HTML special characters in the running text, sparing what
// must stay as written: attribute values, file names, addresses and the heads
// of rooted links.
#include "tessel/TesselConverter.h"

#include "engine/Log.h"
#include "engine/LineFilteredSearch.h"
#include "engine/RangeEdits.h"

namespace {

struct SparedPattern {
    const char16_t* pattern;
    std::vector<icu::UnicodeString> needles;  // a match holds one of them; none: search everywhere
};

const std::vector<icu::UnicodeString> kImageExtensions = {u"jpg", u"png", u"gif"};

// No match crosses a "\n" or looks past its line, and each holds the piece
// given, so only the lines with that piece are searched.
const SparedPattern kSparedPatterns[] = {
    {uR"x(="(.*?)")x", {u"=\""}},
    {uR"((?<!=")(([a-zA-Z0-9-\/\_%])+\.+(jpg|png|gif))->((left|right|center)))", kImageExtensions},
    {uR"((?<!=")(([a-zA-Z0-9-\/\_%])+\.+(jpg|png|gif))(?!"))", kImageExtensions},
    {uR"((?<!=")(http[s]{0,1}:\/\/)((?:[a-zA-Z0-9-]++\.)++[a-zA-Z0-9-\.\/\_\?\%\#\&\=\;\~\!\(\)]+))", {u"http"}},
    {uR"(\[\[(.*)::)", {u"[["}},
    {uR"(\[\[(.*)\]\])", {u"[["}},
    {uR"(\]->)", {u"]->"}},
};

}  // namespace

std::vector<engine::Match> TesselConverter::matchesInLinesWith(const icu::UnicodeString& pattern,
                                                       const std::vector<icu::UnicodeString>& needles) const {
    if (needles.empty()) {
        auto matches = matchesForPattern(pattern);
        return matches ? std::move(*matches) : std::vector<engine::Match>{};
    }
    engine::RegexResult result;
    auto matches = engine::findAllInLinesWith(str, pattern, needles, engine::kNoOptions, &result);
    if (result.status == engine::RegexStatus::invalidPattern)
        engine::log(u"Error for Pattern %@ - %@", {pattern, result.error});
    return matches ? std::move(*matches) : std::vector<engine::Match>{};
}

// Each pattern searches the text that the patterns before it left, with their
// finds already hidden behind tokens; a find may therefore hold earlier tokens,
// which restoring puts back too.
void TesselConverter::protectMatches(const icu::UnicodeString& pattern, const std::vector<icu::UnicodeString>& needles,
                                 engine::PlaceholderTable& saved, int64_t& counter) {
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& match : matchesInLinesWith(pattern, needles))
        edits.push_back({match.start(), match.end(), saved.set(counter++, match.text())});
    engine::applyRangeEdits(str, std::move(edits));
}

void TesselConverter::performHTMLEntities() {
    engine::PlaceholderTable spared(u"%%ENTITY-SAVE-", u"%%");
    int64_t counter = 1;
    for (const SparedPattern& spare : kSparedPatterns)
        protectMatches(spare.pattern, spare.needles, spared, counter);
    str = htmlentities(str);
    spared.restoreInto(str);
}
