#include "engine/PatternOpenings.h"

#include <algorithm>

#include "engine/TextUtilities.h"

namespace engine {
namespace {

constexpr size_t kMaxOpenings = 64;

bool isMetacharacter(char16_t c) {
    return icu::UnicodeString(u"\\^$.|?*+()[]{}").indexOf(c) >= 0;
}

bool isQuantifier(char16_t c) {
    return c == u'*' || c == u'+' || c == u'?' || c == u'{';
}

bool isAsciiAlphanumeric(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// Walks the pattern from `from` over what is neither escaped nor inside a
// character class, counting open groups, and gives the first position where
// `stop(character, depth)` holds (depth counted after a parenthesis there),
// or -1.
template <typename Stop>
int32_t firstStructural(const icu::UnicodeString& pattern, int32_t from, Stop stop) {
    int32_t depth = 0;
    bool inClass = false;
    for (int32_t i = from; i < pattern.length(); ++i) {
        const char16_t c = pattern[i];
        if (c == u'\\') {
            ++i;
            continue;
        }
        if (inClass) {
            inClass = c != u']';
            continue;
        }
        if (c == u'[')
            inClass = true;
        else if (c == u'(')
            ++depth;
        else if (c == u')')
            --depth;
        if (stop(c, depth))
            return i;
    }
    return -1;
}

// True when "|" stands outside every group and class: the pattern is a
// choice between whole patterns, and its start says nothing about a match.
bool hasTopLevelChoice(const icu::UnicodeString& pattern) {
    return firstStructural(pattern, 0, [](char16_t c, int32_t depth) { return c == u'|' && depth == 0; }) >= 0;
}

// Where the look-behind group that begins at `at` ends, or -1.
int32_t endOfGroup(const icu::UnicodeString& pattern, int32_t at) {
    const int32_t close =
        firstStructural(pattern, at, [](char16_t c, int32_t depth) { return c == u')' && depth == 0; });
    return close < 0 ? -1 : close + 1;
}

bool readPiece(const icu::UnicodeString& p, int32_t at, std::vector<icu::UnicodeString>& choices, int32_t& end);

// Every choice of `texts` followed by every choice of `more`; false when
// that would make too many.
bool appendChoices(std::vector<icu::UnicodeString>& texts, const std::vector<icu::UnicodeString>& more) {
    if (texts.size() * more.size() > kMaxOpenings)
        return false;
    std::vector<icu::UnicodeString> longer;
    for (const icu::UnicodeString& text : texts)
        for (const icu::UnicodeString& choice : more)
            longer.push_back(text + choice);
    texts = std::move(longer);
    return true;
}

// A class of plain characters and short ASCII ranges: "[Bb]", "[1-6]".
bool readClass(const icu::UnicodeString& p, int32_t at, std::vector<icu::UnicodeString>& choices, int32_t& end) {
    for (int32_t i = at + 1; i < p.length(); ++i) {
        const char16_t d = p[i];
        if (d == u']') {
            end = i + 1;
            return !choices.empty();
        }
        if (isMetacharacter(d) || d == u'-' || d == u'&')
            return false;
        if (i + 2 < p.length() && p[i + 1] == u'-' && p[i + 2] != u']') {
            const char16_t last = p[i + 2];
            if (!isAsciiAlphanumeric(d) || !isAsciiAlphanumeric(last) || last < d || last - d > 25)
                return false;
            for (char16_t c = d; c <= last; ++c)
                choices.emplace_back(c);
            i += 2;
            continue;
        }
        choices.emplace_back(d);
    }
    return false;
}

// A group of plain words ("(sup|sub)") or of a sequence of plain pieces
// ("([1-6])").
bool readGroup(const icu::UnicodeString& p, int32_t at, std::vector<icu::UnicodeString>& choices, int32_t& end) {
    if (at + 1 < p.length() && p[at + 1] == u'?')
        return false;
    const int32_t close = endOfGroup(p, at) - 1;
    if (close < 0)
        return false;
    const int32_t bar = firstStructural(p, at + 1, [](char16_t c, int32_t depth) { return c == u'|' && depth == 0; });
    if (bar < 0 || bar > close) {
        // A sequence: each piece must stand exactly once.
        choices = {icu::UnicodeString()};
        std::vector<icu::UnicodeString> piece;
        for (int32_t i = at + 1; i < close;) {
            if (!readPiece(p, i, piece, i) || (i < close && isQuantifier(p[i])) || !appendChoices(choices, piece))
                return false;
        }
        end = close + 1;
        return !choices.front().isEmpty();
    }
    icu::UnicodeString word;
    for (int32_t i = at + 1; i < close; ++i) {
        const char16_t d = p[i];
        if (d == u'|') {
            choices.push_back(word);
            word.remove();
        } else if (isMetacharacter(d) || d == u'-' || d == u'&') {
            return false;
        } else {
            word.append(d);
        }
    }
    choices.push_back(word);
    end = close + 1;
    return true;
}

// The plain alternatives of the piece at `at` (a character, an escaped
// character, a class of plain characters or a group of plain words), and
// where the piece ends; nothing when the piece is of another kind.
bool readPiece(const icu::UnicodeString& p, int32_t at, std::vector<icu::UnicodeString>& choices, int32_t& end) {
    choices.clear();
    char16_t c = p[at];
    if (c == u'\\') {
        if (at + 1 >= p.length() || isAsciiAlphanumeric(p[at + 1]))
            return false;  // \s, \d, \Q and the like
        choices.emplace_back(p[at + 1]);
        end = at + 2;
        return true;
    }
    if (c == u'[')
        return readClass(p, at, choices, end);
    if (c == u'(')
        return readGroup(p, at, choices, end);
    if (isMetacharacter(c))
        return false;
    choices.emplace_back(c);
    end = at + 1;
    return true;
}

// Past what takes no text at the start: "(?m)", "^" and look-behinds.
int32_t startOfText(const icu::UnicodeString& pattern) {
    int32_t at = 0;
    while (at < pattern.length()) {
        if (pattern.compare(at, 4, icu::UnicodeString(u"(?m)")) == 0) {
            at += 4;
        } else if (pattern[at] == u'^') {
            ++at;
        } else if (pattern.compare(at, 4, icu::UnicodeString(u"(?<!")) == 0 || pattern.compare(at, 4, icu::UnicodeString(u"(?<=")) == 0) {
            int32_t end = endOfGroup(pattern, at);
            if (end < 0)
                return pattern.length();
            at = end;
        } else {
            break;
        }
    }
    return at;
}

// How often a quantifier at `at` repeats its piece at least ("{4,}" 4,
// "+" 1), or 0 when it may leave the piece out.
int32_t leastRepeats(const icu::UnicodeString& pattern, int32_t at) {
    if (pattern[at] == u'+')
        return 1;
    if (pattern[at] != u'{')
        return 0;
    int32_t n = 0;
    for (int32_t i = at + 1; i < pattern.length() && pattern[i] >= u'0' && pattern[i] <= u'9' && n < 100; ++i)
        n = n * 10 + (pattern[i] - u'0');
    return n;
}

// True when the rest of a pattern from `from` holds what sees text before
// where it stands or depends on where the try began: a look-behind, "^", a
// back-reference, "\A" or "\G".
bool looksBackFrom(const icu::UnicodeString& pattern, int32_t from) {
    bool inClass = false;
    for (int32_t i = from; i < pattern.length(); ++i) {
        const char16_t c = pattern[i];
        if (c == u'\\') {
            const char16_t next = i + 1 < pattern.length() ? pattern[i + 1] : u'\0';
            if (!inClass && ((next >= u'1' && next <= u'9') || next == u'k' || next == u'A' || next == u'G'))
                return true;
            ++i;
        } else if (inClass) {
            inClass = c != u']';
        } else if (c == u'[') {
            inClass = true;
            if (i + 1 < pattern.length() && pattern[i + 1] == u'^')
                ++i;  // a negated class, not an anchor
        } else if (c == u'^' || pattern.compare(i, 3, icu::UnicodeString(u"(?<")) == 0) {
            return true;
        }
    }
    return false;
}

// A run group at `at`: "(.*?)", "(.*)", "([^…]*?)" or "([^…]*)" of plain
// characters, with what ends it: a line end for "." without dot-all, or one
// of `stops` for a negated class.
bool readRun(const icu::UnicodeString& pattern, int32_t at, bool dotAll, bool& stopsAtLineEnds,
             icu::UnicodeString& stops, int32_t& end) {
    if (at >= pattern.length() || pattern[at] != u'(')
        return false;
    stopsAtLineEnds = false;
    stops.remove();
    int32_t i = at + 1;
    if (pattern.charAt(i) == u'.') {
        stopsAtLineEnds = !dotAll;
        ++i;
    } else if (pattern.compare(i, 2, icu::UnicodeString(u"[^")) == 0) {
        for (i += 2; i < pattern.length() && pattern[i] != u']'; ++i) {
            char16_t c = pattern[i];
            if (c == u'\\' && i + 1 < pattern.length()) {
                c = pattern[++i];
                if (c == u'n')
                    c = u'\n';
                else if (c == u'r')
                    c = u'\r';
                else if (c == u't')
                    c = u'\t';
                else if (isAsciiAlphanumeric(c))
                    return false;  // \s, \d, \x… and the like
            } else if (c == u'[' || c == u'-' || c == u'&') {
                return false;
            }
            stops.append(c);
        }
        if (i >= pattern.length())
            return false;
        ++i;
    } else {
        return false;
    }
    if (pattern.compare(i, 3, icu::UnicodeString(u"*?)")) == 0)
        end = i + 3;
    else if (pattern.compare(i, 2, icu::UnicodeString(u"*)")) == 0)
        end = i + 2;
    else
        return false;
    return true;
}

// The plain texts one of which every match ends with, read from `from` to
// the pattern's end over plain pieces and runs: "[/mail]" and "[/email]" for
// "\](.*?)\[\/(mail|email)\]". Empty when the pattern ends otherwise.
std::vector<icu::UnicodeString> plainEndings(const icu::UnicodeString& pattern, int32_t from, bool dotAll) {
    std::vector<icu::UnicodeString> endings{icu::UnicodeString()};
    std::vector<icu::UnicodeString> choices;
    bool stopsAtLineEnds = false;
    icu::UnicodeString stops;
    for (int32_t at = from; at < pattern.length();) {
        if (readRun(pattern, at, dotAll, stopsAtLineEnds, stops, at)) {
            endings = {icu::UnicodeString()};
        } else if (!readPiece(pattern, at, choices, at) || (at < pattern.length() && isQuantifier(pattern[at])) ||
                   !appendChoices(endings, choices)) {
            return {};
        }
    }
    if (endings.front().isEmpty())
        return {};
    return endings;
}

// True when an opening holds, past its start, a character that begins an
// opening: a later opening could then begin inside an earlier one.
bool openingsMayOverlap(const std::vector<icu::UnicodeString>& openings) {
    icu::UnicodeString firsts;
    for (const icu::UnicodeString& opening : openings)
        firsts.append(opening[0]);
    for (const icu::UnicodeString& opening : openings)
        for (int32_t i = 1; i < opening.length(); ++i)
            if (firsts.indexOf(opening[i]) >= 0)
                return true;
    return false;
}

}  // namespace

// Read backwards: escaped punctuation and characters that are no
// metacharacter, up to anything else.
icu::UnicodeString endText(const icu::UnicodeString& pattern) {
    icu::UnicodeString reversed;
    if (hasTopLevelChoice(pattern))
        return reversed;
    for (int32_t i = pattern.length() - 1; i >= 0;) {
        int32_t backslashes = 0;
        while (i - 1 - backslashes >= 0 && pattern[i - 1 - backslashes] == u'\\')
            ++backslashes;
        const char16_t c = pattern[i];
        if (backslashes % 2 == 1) {
            if (isAsciiAlphanumeric(c) || c >= 128)
                break;  // \d, \E, \x… and the like
            i -= 2;
        } else {
            if (isMetacharacter(c) || c == u'\\' || c >= 128)
                break;
            i -= 1;
        }
        reversed.append(c);
    }
    return reversed.reverse();
}

std::optional<OpeningRun> OpeningRun::of(const icu::UnicodeString& pattern, bool dotAll) {
    if (hasTopLevelChoice(pattern))
        return std::nullopt;
    std::vector<icu::UnicodeString> openings{icu::UnicodeString()};
    std::vector<icu::UnicodeString> choices;
    int32_t at = 0;
    while (at < pattern.length() && readPiece(pattern, at, choices, at)) {
        if (at < pattern.length() && isQuantifier(pattern[at]))
            return std::nullopt;
        if (!appendChoices(openings, choices))
            return std::nullopt;
    }
    OpeningRun run;
    run.shortestOpening_ = openings.front().length();
    for (const icu::UnicodeString& opening : openings) {
        run.shortestOpening_ = std::min(run.shortestOpening_, opening.length());
        run.longestOpening_ = std::max(run.longestOpening_, opening.length());
        for (int32_t i = 0; i < opening.length(); ++i)
            if (endsLineForDot(opening[i]))
                return std::nullopt;
    }
    if (run.shortestOpening_ == 0 || (run.shortestOpening_ != run.longestOpening_ && openingsMayOverlap(openings)))
        return std::nullopt;
    if (!readRun(pattern, at, dotAll, run.stopsAtLineEnds_, run.stops_, at) || looksBackFrom(pattern, at))
        return std::nullopt;
    run.closings_ = plainEndings(pattern, at, dotAll);
    return run;
}

int32_t OpeningRun::lastTryIn(const icu::UnicodeString& text, int32_t start, int32_t end) const {
    if (closings_.empty())
        return end;
    int32_t last = -1;
    for (const icu::UnicodeString& closing : closings_)
        last = std::max(last, text.lastIndexOf(closing, start, end - start));
    return last < 0 ? -1 : last - shortestOpening_;  // the closing comes after a whole opening
}

int32_t OpeningRun::nextTryAfterFailure(const icu::UnicodeString& text, int32_t at, int32_t end) const {
    // Scanning from the end of the shortest opening finds the run's end or a
    // place before it, which only makes the skip shorter.
    int32_t runEnd = at + shortestOpening_;
    for (; runEnd < end; ++runEnd) {
        const char16_t c = text.charAt(runEnd);
        if ((stopsAtLineEnds_ && endsLineForDot(c)) || stops_.indexOf(c) >= 0)
            break;
    }
    // An opening whose run starts after this one's and at or before its end
    // fails too.
    return std::max(at + 1, runEnd - longestOpening_ + 1);
}

int32_t firstOpeningIn(const icu::UnicodeString& text, int32_t from, int32_t end,
                       const std::vector<icu::UnicodeString>& openings) {
    const char16_t* units = text.getBuffer();
    for (int32_t at = from; at < end; ++at)
        for (const icu::UnicodeString& opening : openings)
            if (units[at] == opening[0] && at + opening.length() <= end &&
                text.compare(at, opening.length(), opening) == 0)
                return at;
    return -1;
}

std::vector<icu::UnicodeString> literalOpenings(const icu::UnicodeString& pattern) {
    std::vector<icu::UnicodeString> openings{icu::UnicodeString()};
    if (hasTopLevelChoice(pattern))
        return openings;
    std::vector<icu::UnicodeString> choices;
    for (int32_t at = startOfText(pattern), end = at; at < pattern.length(); at = end) {
        if (!readPiece(pattern, at, choices, end))
            break;
        // A quantified piece counts as often as it must stand, and ends the
        // reading: what follows may begin at several places.
        int32_t repeats = 1;
        const bool quantified = end < pattern.length() && isQuantifier(pattern[end]);
        if (quantified)
            repeats = leastRepeats(pattern, end);
        if (repeats == 0 || openings.size() * choices.size() > kMaxOpenings)
            break;
        std::vector<icu::UnicodeString> longer;
        for (const icu::UnicodeString& opening : openings) {
            for (const icu::UnicodeString& choice : choices) {
                icu::UnicodeString extended(opening);
                for (int32_t i = 0; i < repeats; ++i)
                    extended += choice;
                longer.push_back(extended);
            }
        }
        openings = std::move(longer);
        if (quantified)
            break;
    }
    return openings;
}

}  // namespace engine
