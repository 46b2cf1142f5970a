#pragma once
// The base of every built-in converter: the working text, the main rule table,
// the saved pieces of text and the void-tag suffix, with the operations the
// converters' passes share.

#include <optional>
#include <vector>
#include <unicode/unistr.h>

#include "engine/Placeholders.h"
#include "engine/Regex.h"
#include "engine/RuleRecord.h"

class ConverterBase {
public:
    ConverterBase();
    virtual ~ConverterBase() = default;

    // Takes the main rule table and a copy of the text; the saved-block table
    // starts empty. The void-tag suffix is left as it is.
    ConverterBase& initWithString(const icu::UnicodeString& string, RuleTable andRegexArray);

    // By the HTML5 setting: ">" for HTML5, " />" (XHTML) otherwise.
    void setHTML5orXHTML();

    // Applies `regexes` to `str`, rule after rule.
    void simpleTransform();
    // Applies a table whose records each say by "dotMatch" how they compile.
    void transformWithDotMatchRules(const RuleTable& table);

    std::optional<std::vector<engine::Match>> matchesForPattern(const icu::UnicodeString& pattern) const;
    std::optional<std::vector<engine::Match>> matchesForDotMatchedPattern(const icu::UnicodeString& pattern) const;
    void replaceMatchesWithPattern(const icu::UnicodeString& pattern, const icu::UnicodeString& andTemplate,
                                   bool dotMatch);

    // Cuts out every block from the start pattern to the nearest end pattern
    // and leaves a "%%SavedHTMLBlock(n)%%" token in its place. `replaceEnd`,
    // when not empty, is the text the end pattern matches.
    void saveHTMLBlocksWithStart(const icu::UnicodeString& startPattern, const icu::UnicodeString& endSymbol,
                                 const icu::UnicodeString& replaceStart, const icu::UnicodeString& replaceEnd);
    // Puts every saved block back wherever its token stands.
    void returnSavedHTMLBlocks();

    static icu::UnicodeString htmlentities(const icu::UnicodeString& string);
    static icu::UnicodeString rtrim_Vant(const icu::UnicodeString& string);
    static icu::UnicodeString ltrim_Vant(const icu::UnicodeString& string);
    static unsigned countAtStartOfString(const icu::UnicodeString& marker, const icu::UnicodeString& inString);

    RuleTable regexes;
    icu::UnicodeString str;
    engine::PlaceholderTable htmlBlocksEscaped;
    icu::UnicodeString HTML_close;

protected:
    // Applies one rule of a `simpleTransform` table to `str`.
    void applySimpleRule(const RuleRecord& rule);
};
