#pragma once
// The one matcher loop behind every fast path (see Candidates.h): the
// pattern is tried anchored at each candidate, in text order, and the search
// moves past each match, as ICU's find loop moves.

#include <optional>
#include <vector>
#include <unicode/regex.h>
#include <unicode/unistr.h>

#include "engine/Candidates.h"
#include "engine/Regex.h"

namespace engine {

// Steps `matcher`, already set to `text`, from match to match over [start,
// end) of the text (end -1: the text's end). Without candidates it is ICU's
// own find over that region. The region's bounds are the matcher's: the
// whole-text searches below see past it, as a find loop would. The matcher,
// text and candidates must outlive the steps.
class MatchSteps {
public:
    MatchSteps(icu::RegexMatcher& matcher, const icu::UnicodeString& text, Candidates* candidates,
               int32_t start = 0, int32_t end = -1);
    // Leaves the matcher on the next match; false when none is left or the
    // search failed (`status` says which).
    bool find(UErrorCode& status);

private:
    icu::RegexMatcher& matcher_;
    Candidates* candidates_;
    int32_t from_ = 0;
    int32_t end_ = 0;
};

// The same matches as findAll(text, pattern, options), tried only at the
// candidates (null: everywhere); look-arounds and anchors see the whole text.
std::optional<std::vector<Match>> findAllAt(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                            const std::unique_ptr<Candidates>& candidates, uint32_t options = kNoOptions,
                                            RegexResult* result = nullptr);

// Where each match of `pattern` stands, tried where its literal openings
// stand (atOpenings); empty when the search failed.
std::vector<TextRange> matchRangesAtOpenings(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                             uint32_t options = kNoOptions);

// The same text as replaceAll(text, pattern, template, options), searched as
// findAllAt searches; on a failure the text stays as it was. A match that
// starts inside one of `keptRanges` stays as it is, as replaceAllOutside
// leaves it.
RegexResult replaceAllAt(icu::UnicodeString& text, const icu::UnicodeString& pattern,
                         const icu::UnicodeString& replacementTemplate,
                         const std::unique_ptr<Candidates>& candidates,
                         uint32_t options = kNoOptions, const std::vector<TextRange>& keptRanges = {});

// `text` with each match that `steps` finds replaced by the template, in
// `out`, but for those that start inside one of `keptRanges` (sorted, not
// overlapping); false when none was replaced or the search failed (`status`
// says which).
bool replaceSteps(MatchSteps& steps, const icu::RegexMatcher& matcher, const icu::UnicodeString& text,
                  const icu::UnicodeString& replacementTemplate, icu::UnicodeString& out, UErrorCode& status,
                  const std::vector<TextRange>& keptRanges = {});

}  // namespace engine
