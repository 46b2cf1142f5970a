#include "engine/LineByLineRules.h"

#include <memory>

#include "engine/Log.h"
#include "engine/ReplacementTemplate.h"
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

// True when "|" stands outside every group and class: the pattern is a
// choice between whole patterns, and its start says nothing about a match.
bool hasTopLevelChoice(const icu::UnicodeString& pattern) {
    int32_t depth = 0;
    bool inClass = false;
    for (int32_t i = 0; i < pattern.length(); ++i) {
        char16_t c = pattern[i];
        if (c == u'\\')
            ++i;
        else if (inClass)
            inClass = c != u']';
        else if (c == u'[')
            inClass = true;
        else if (c == u'(')
            ++depth;
        else if (c == u')')
            --depth;
        else if (c == u'|' && depth == 0)
            return true;
    }
    return false;
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
    if (c == u'[' || c == u'(') {
        const char16_t close = c == u'[' ? u']' : u')';
        if (c == u'(' && at + 1 < p.length() && p[at + 1] == u'?')
            return false;
        icu::UnicodeString word;
        for (int32_t i = at + 1; i < p.length(); ++i) {
            char16_t d = p[i];
            if (d == close) {
                if (c == u'(')
                    choices.push_back(word);
                end = i + 1;
                return !choices.empty();
            }
            if (c == u'(' && d == u'|') {
                choices.push_back(word);
                word.remove();
                continue;
            }
            if (isMetacharacter(d) || d == u'-' || d == u'&')
                return false;
            if (c == u'[')
                choices.emplace_back(d);
            else
                word.append(d);
        }
        return false;
    }
    if (isMetacharacter(c))
        return false;
    choices.emplace_back(c);
    end = at + 1;
    return true;
}

}  // namespace

namespace {

// Where the look-behind group that begins at `at` ends, or -1.
int32_t endOfGroup(const icu::UnicodeString& pattern, int32_t at) {
    int32_t depth = 0;
    bool inClass = false;
    for (int32_t i = at; i < pattern.length(); ++i) {
        char16_t c = pattern[i];
        if (c == u'\\')
            ++i;
        else if (inClass)
            inClass = c != u']';
        else if (c == u'[')
            inClass = true;
        else if (c == u'(')
            ++depth;
        else if (c == u')' && --depth == 0)
            return i + 1;
    }
    return -1;
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

}  // namespace

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

namespace {

// One rule of the table, prepared for many short lines.
struct LineRule {
    const RuleRecord* rule = nullptr;
    std::vector<icu::UnicodeString> openings;  // never empty texts
    bool anywhere = false;                     // an opening was empty
    std::unique_ptr<icu::RegexMatcher> matcher;
    bool broken = false;                       // the pattern does not compile
};

// The characters that begin an opening: a table for the ASCII ones, which
// are all that tag tables use, and a list for the others.
class FirstCharacters {
public:
    void add(char16_t c) {
        if (c < 128)
            ascii_[c] = true;
        else if (others_.indexOf(c) < 0)
            others_.append(c);
    }
    bool contains(char16_t c) const { return c < 128 ? ascii_[c] : others_.indexOf(c) >= 0; }

private:
    bool ascii_[128] = {};
    icu::UnicodeString others_;
};

// The positions in [start, end) of the text where a character that begins
// an opening stands, counted from `start`.
void markOpeningCharacters(const icu::UnicodeString& text, int32_t start, int32_t end,
                           const FirstCharacters& firstCharacters, std::vector<int32_t>& positions) {
    positions.clear();
    const char16_t* units = text.getBuffer();
    for (int32_t i = start; i < end; ++i)
        if (firstCharacters.contains(units[i]))
            positions.push_back(i - start);
}

bool opensAt(const icu::UnicodeString& line, const std::vector<int32_t>& positions, const LineRule& rule) {
    if (rule.anywhere)
        return true;
    const char16_t* units = line.getBuffer();
    const int32_t length = line.length();
    for (int32_t at : positions) {
        for (const icu::UnicodeString& opening : rule.openings) {
            const int32_t n = opening.length();
            if (at + n > length || units[at] != opening[0])
                continue;
            const char16_t* piece = opening.getBuffer();
            int32_t i = 1;
            while (i < n && units[at + i] == piece[i])
                ++i;
            if (i == n)
                return true;
        }
    }
    return false;
}

// One regex rule over one line; true when the line changed.
bool replaceInLine(icu::UnicodeString& line, LineRule& rule, int32_t timeLimit) {
    UErrorCode status = U_ZERO_ERROR;
    if (!rule.matcher) {
        icu::UnicodeString error;
        const icu::RegexPattern* compiled = compiledPattern(rule.rule->pattern, kNoOptions, &error);
        if (!compiled) {
            rule.broken = true;
            log(u"Error Markup/simpleTransform/performRegex : %@", {error});
            return false;
        }
        rule.matcher.reset(compiled->matcher(status));
        rule.matcher->setTimeLimit(timeLimit, status);
    }
    icu::RegexMatcher& matcher = *rule.matcher;
    matcher.reset(line);
    icu::UnicodeString out;
    int32_t copiedUpTo = 0;
    bool replaced = false;
    while (matcher.find(status)) {
        UErrorCode rangeStatus = U_ZERO_ERROR;
        out.append(line, copiedUpTo, matcher.start(rangeStatus) - copiedUpTo);
        appendEvaluatedTemplate(out, rule.rule->templateText, matcher, line);
        copiedUpTo = matcher.end(rangeStatus);
        replaced = true;
    }
    RegexResult result;
    if (searchFailed(status, rule.rule->pattern, result) || !replaced)
        return false;
    out.append(line, copiedUpTo, line.length() - copiedUpTo);
    line = std::move(out);
    return true;
}

}  // namespace

bool applyRulesLineByLine(icu::UnicodeString& text, const RuleTable& rules) {
    std::vector<LineRule> prepared;
    FirstCharacters firstCharacters;
    bool everyLine = false;
    for (const RuleRecord& rule : rules) {
        if (rule.regexMultiLineReplace)
            return false;
        LineRule line{&rule, {}, false, nullptr, false};
        for (icu::UnicodeString& opening : rule.regexReplace ? literalOpenings(rule.pattern)
                                                             : std::vector<icu::UnicodeString>{rule.pattern}) {
            if (opening.isEmpty()) {
                line.anywhere = true;
                continue;
            }
            firstCharacters.add(opening[0]);
            line.openings.push_back(std::move(opening));
        }
        everyLine = everyLine || line.anywhere;
        prepared.push_back(std::move(line));
    }

    // The time limit a search of the whole text would have.
    const int32_t timeLimit = 3000 + text.length() / 50;
    icu::UnicodeString out = emptyWithRoomFor(text);
    std::vector<int32_t> positions;
    bool changed = false;
    for (int32_t start = 0; start <= text.length();) {
        int32_t end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.length();
        const int32_t next = end < text.length() ? end + 1 : end;
        markOpeningCharacters(text, start, end, firstCharacters, positions);
        if (!everyLine && positions.empty()) {
            out.append(text, start, next - start);
            start = end + 1;
            continue;
        }
        icu::UnicodeString line(text, start, end - start);
        for (LineRule& rule : prepared) {
            if (rule.broken || !opensAt(line, positions, rule))
                continue;
            bool ruleChanged = false;
            if (rule.rule->regexReplace) {
                ruleChanged = replaceInLine(line, rule, timeLimit);
            } else {
                // It opens here, so it stands in the line and is replaced.
                replaceAllLiteral(line, rule.rule->pattern, rule.rule->templateText);
                ruleChanged = true;
            }
            if (ruleChanged) {
                markOpeningCharacters(line, 0, line.length(), firstCharacters, positions);
                changed = true;
            }
        }
        out.append(line).append(text, end, next - end);
        start = end + 1;
    }
    if (changed)
        text = std::move(out);
    return true;
}

}  // namespace engine
