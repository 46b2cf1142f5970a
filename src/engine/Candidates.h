#pragma once
// How a rule gets a fast path.
//
// ICU finds a pattern by trying it at every position of the text (or of
// each line, for "(?m)^"), and a try may scan on to the end of a line or of
// the text before it fails. Every fast path of the engine is the same two
// pieces instead:
//
//  1. a producer of candidates (a Candidates below): the positions where a
//     match may start, and after a failed try, where the next try can
//     succeed at the earliest. Producers know their rule's shape: the
//     pattern's literal openings, the lines that start with "#", the line
//     before each "\n=" of an underline;
//  2. one matcher loop (MatchSteps, MatchSteps.h) that tries the pattern
//     anchored at each candidate, as ICU's find loop would try it there, and
//     moves on past each match. The matches are therefore the pattern's own.
//
// A rule of a converter's table names its producer as data, in the
// `fastPath` of its RuleRecord (FastPath, below); the converter reads it,
// never the rule's name. A converter with a walk of its own that finds what
// a pattern finds (a heading line, a doubled marker) names that walk there
// too. Tests hold every producer to its pattern with one oracle
// (tests/engine/SameAsPattern.h).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>
#include <unicode/unistr.h>

namespace engine {

// Where a search tries its pattern, over one region of one text at a time.
class Candidates {
public:
    virtual ~Candidates() = default;
    // Readies the producer for a search of [start, end) of `text`, which
    // outlives the search, and gives where the search may stop: no match
    // ends after it (at most `end`).
    virtual int32_t begin(const icu::UnicodeString& text, int32_t start, int32_t end) = 0;
    // The first position at or after `from` where a match may start; -1 when
    // none is left.
    virtual int32_t next(int32_t from) = 0;
    // Where to look next after the try at `start` (the last `next`) failed:
    // no later candidate before that can match.
    virtual int32_t afterFailure(int32_t start) { return start + 1; }
};

// Where a search needs to look: every position at which a match can start
// (ascending; repeats are harmless), and the end of the text that any match
// lies within (no match ends after `limit`; -1: the end of the text).
struct SearchPlan {
    std::vector<int32_t> starts;
    int32_t limit = -1;
};

// Where a match may begin, as a NextOpening finds it: `start` (-1 when no
// opening is left) and `run`, where the part begins that a later opening on
// the same line could only do worse at (-1: a failure at this opening says
// nothing about later ones).
struct LineOpening {
    int32_t start = -1;
    int32_t run = -1;
    // What ends the stretch within which a failed run rules out later ones;
    // null: a line end, as ICU's "." knows it.
    bool (*endsStretch)(char16_t) = nullptr;
};
// The first opening at or after `from`.
using NextOpening = std::function<LineOpening(const icu::UnicodeString& text, int32_t from)>;

// The stock producers. A pattern's producers read its literal openings and
// its OpeningRun (PatternOpenings.h); `options` are the search's.

// Where one of the pattern's literal openings stands (at a line start, for
// "(?m)^"); after a failure, past the openings the pattern's run rules out.
// Null when the pattern may begin anywhere or is case-insensitive: then ICU's
// own search is the fastest.
std::unique_ptr<Candidates> atOpenings(const icu::UnicodeString& pattern, uint32_t options);

// The starts of `plan`, within its limit; after a failure at one of the
// pattern's openings, past the openings its run rules out.
std::unique_ptr<Candidates> atPlannedStarts(SearchPlan plan, const icu::UnicodeString& pattern, uint32_t options);

// Where `next` finds openings; after a failure at an opening with a run,
// the rest of the run's stretch (its line) is passed over. Right for a
// pattern without look-behind when a failed try at an opening with a run
// means that every later opening whose run lies in the same stretch fails
// too.
std::unique_ptr<Candidates> failingOncePerLine(NextOpening next);

// What a rule's search may skip, as data of its RuleRecord. Every field is
// optional; a rule without any is searched where its literal openings stand,
// or as ICU searches it.
struct FastPath {
    // Where the pattern's matches can start in a text, when the rule knows
    // better than its openings do.
    std::function<SearchPlan(const icu::UnicodeString&)> plan;
    // A literal every match holds, for a rule whose matches stay inside one
    // block (text between blank lines): such rules run block by block, each
    // only on the blocks that hold its literal (BlockByBlockRules.h).
    icu::UnicodeString blockLiteral;
    // Where a block rule's matches begin, failing once per line.
    NextOpening lineOpenings;
    // A walk of the converter's own that finds what the pattern finds,
    // numbered by the converter (0: none), with its marker character or
    // literal where it takes one.
    int walk = 0;
    char16_t mark = 0;
    icu::UnicodeString literal;

    static FastPath planned(std::function<SearchPlan(const icu::UnicodeString&)> plan) {
        FastPath path;
        path.plan = std::move(plan);
        return path;
    }
    static FastPath inBlock(icu::UnicodeString literal, NextOpening openings = {}) {
        FastPath path;
        path.blockLiteral = std::move(literal);
        path.lineOpenings = std::move(openings);
        return path;
    }
    static FastPath walked(int walk, char16_t mark = 0, icu::UnicodeString literal = {}) {
        FastPath path;
        path.walk = walk;
        path.mark = mark;
        path.literal = std::move(literal);
        return path;
    }
};

// Plans for the usual shapes of a rule (see SearchPlan).

// The start of every occurrence of `literal`, overlapping ones included.
std::vector<int32_t> occurrencesOf(const icu::UnicodeString& text, const icu::UnicodeString& literal);

// The start of the line that holds `position`, lines ending as they end for
// ICU's "." and multi-line "^": after the last line-end character before it.
int32_t lineStartAt(const icu::UnicodeString& text, int32_t position);

// The end of the last occurrence of `literal` (-1 when there is none): no
// match that ends with the literal ends later.
int32_t endOfLastOccurrence(const icu::UnicodeString& text, const icu::UnicodeString& literal);

// For a pattern "L(.*?)L" (dot-all or not) around a literal L: matches start
// at an L and end with one, so none ends after the last L.
SearchPlan pairedLiteralPlan(const icu::UnicodeString& text, const icu::UnicodeString& literal);

// For a pattern "^(.+?)…\n<mark>…" whose first line may hold no line end:
// matches start on the line that ends just before each occurrence of
// `lineEndThenMark` ("\n=" for a heading underline).
SearchPlan linesEndingBefore(const icu::UnicodeString& text, const icu::UnicodeString& lineEndThenMark);

// For a pattern "(?m)^[ ]{0,n}<literal>…": matches start at the start of a
// line whose literal comes after at most `leadingSpaces` spaces.
SearchPlan linesStartingWith(const icu::UnicodeString& text, const icu::UnicodeString& literal,
                             int32_t leadingSpaces = 0);

// The same for a pattern whose lines may start with any of `literals`: the
// starts of all of them, in order.
SearchPlan linesStartingWithAny(const icu::UnicodeString& text, const std::vector<icu::UnicodeString>& literals);

}  // namespace engine
