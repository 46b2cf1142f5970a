#pragma once
// Textile to an HTML fragment. The pipeline (TextileConverter.cpp) lists the
// passes in order; each group of passes has its own file.

#include <map>
#include <vector>

#include "engine/ConverterBase.h"
#include "engine/Candidates.h"

class TextileConverter : public ConverterBase {
public:
    TextileConverter();

    // JavaScript anchor mode off, as the dispatcher converts Textile.
    TextileConverter& initWithString(const icu::UnicodeString& string);
    TextileConverter& initWithString(const icu::UnicodeString& string, bool javaScriptLinksOn);

    icu::UnicodeString transform();

    // The three rule tables (TextileRules.cpp).
    RuleTable regexBlockTextile() const;
    RuleTable regexAttributedBlockTextile() const;
    RuleTable regexTextileWithjavaScriptStart(const icu::UnicodeString& start,
                                              const icu::UnicodeString& javaScriptEnd) const;

    // The attribute part of a block signature, as the attributed block table
    // reads it: from one of its opening characters up to the first ". ".
    static icu::UnicodeString signatureAttributesPattern();
    // Where an extended block ("bq..") ends: before a blank line and the
    // next block signature, or before the blank lines that end the text.
    static icu::UnicodeString extendedBlockEndPattern();

    // Where a phrase rule's matches ("*strong*", "??cite??") can begin, and
    // an acronym's, for a search that fails once per line
    // (InlineRuleOpenings.cpp). `barredFirst`: besides white space, what the
    // content cannot begin with; `openedByDelimiter`: nothing needs to stand
    // before the delimiter; `endsStretch`: what else besides a line end the
    // content cannot run over.
    static engine::NextOpening phraseOpenings(const icu::UnicodeString& delimiter, char16_t barredFirst,
                                              bool openedByDelimiter, bool (*endsStretch)(char16_t) = nullptr);
    static engine::NextOpening acronymOpenings();
    // The walk that applies the capitals rule (replaceCapitalRuns).
    static constexpr int kCapitalRunsWalk = 1;

    // Block table, inline table and glyphs (TextileConverter.cpp).
    void blockTransform();
    void performHorizontalRules();
    void inlineTransform();
    void simpleReplace();

    // Block and phrase attributes (BlockAttributes.cpp).
    void preBlockTransform();
    void performAddAttributesToBlocks();
    // The attribute string of a signature ("p(intro)<. ", tag "p"), or
    // nothing when its attribute part does not read.
    static std::optional<icu::UnicodeString> attributesOfSignature(const icu::UnicodeString& signature,
                                                                   const icu::UnicodeString& tag);
    struct Attributes {
        icu::UnicodeString cssClass, style, alt, title, display;
    };
    static Attributes checkAttributesOnString(const icu::UnicodeString& text, bool onText);

    // Links and images (LinksAndImages.cpp).
    void performImages();
    void performLinks();
    // The image and link patterns, each with where its matches can begin,
    // searched once per line.
    struct LineSearch {
        icu::UnicodeString pattern;
        engine::NextOpening openings;
    };
    enum class LinkSearch { plainImage, bracketedLink, linkAlias, quotedLink };
    static const LineSearch& linkSearch(LinkSearch which);

    // Lists and definition lists (Lists.cpp).
    void performLists();
    void performDefinitionLists();
    // Their patterns, and where they match (ListSearches.cpp): the matches
    // of findAll with dot-all, found without a try that runs to the end of
    // the text or lets a long line exhaust the matcher's stack; for
    // definition lists the range of each whole match.
    static icu::UnicodeString listPattern();
    // The attributes an item may carry behind its markers ("*(warn) ").
    static icu::UnicodeString listItemAttributesPattern();
    static std::optional<std::vector<engine::Match>> findLists(const icu::UnicodeString& text);
    static icu::UnicodeString definitionListPattern();
    static std::vector<engine::TextRange> definitionListRanges(const icu::UnicodeString& text);

    // Capitals (CapitalRuns.cpp): the runs that the "upperCase" rule
    // matches, and that rule's replacement of them in the text.
    static std::vector<engine::TextRange> capitalRuns(const icu::UnicodeString& text);
    void replaceCapitalRuns(const icu::UnicodeString& replacementTemplate);

    // Tables (Tables.cpp).
    void performTables();
    // A table's pattern, and its matches as findAll finds them with dot-all,
    // searched only from line starts that can begin a table and only up to
    // the last place where one can end.
    static icu::UnicodeString tablePattern();
    static std::optional<std::vector<engine::Match>> findTables(const icu::UnicodeString& text);
    icu::UnicodeString formattedTableRowsFromArray(const std::vector<std::vector<icu::UnicodeString>>& rows) const;
    struct CellAttributes {
        icu::UnicodeString tag;
        icu::UnicodeString attributes;
    };
    // Nothing when the prefix does not read as attributes.
    static std::optional<CellAttributes> attrForTableCell(const icu::UnicodeString& prefix);

    // Note lists (NoteLists.cpp).
    void performNoteLists();

    // Extended blocks, code and comments (CodeAndComments.cpp).
    void performExtendedBlocks();
    void saveCodeAndComments();
    void returnCodeAndComments();

    // notextile blocks, paragraphs and line breaks (Paragraphs.cpp).
    void saveNotextileBlocks();
    void returnNoTextileBlocks();
    void performPBlocking();
    void performAddBRs();
    // The paragraphs ("<p…</p>") or headings ("<h1…</h1>") whose line ends
    // become breaks: the matches of the lazy dot-all pattern, found by
    // literal search.
    static icu::UnicodeString breakableElementPattern(bool headings);
    static std::vector<engine::TextRange> breakableElements(const icu::UnicodeString& text, bool headings);

    RuleTable blockTransformRegex;
    RuleTable blockAttributesTransformRegex;
    engine::PlaceholderTable noTextileDic;
    bool useJavaScriptAnchors = false;
    icu::UnicodeString javaScriptHashStart;
    icu::UnicodeString javaScriptHashEnd;

private:
    void performBracketedLinks();
    void removeLinkAliases(std::map<icu::UnicodeString, icu::UnicodeString>& aliases);
    void performQuotedLinks(const std::map<icu::UnicodeString, icu::UnicodeString>& aliases);
    void restoreUnusedAttributeMarkers();
    void keepComments();
    void keepPreSections();
    void keepMatches(const std::vector<engine::Match>& matches, int group,
                     icu::UnicodeString (*kept)(const icu::UnicodeString&));
    void keepMatches(const std::vector<engine::Match>& matches, int group,
                     icu::UnicodeString (*kept)(const icu::UnicodeString&), engine::PlaceholderTable& into);

    // Code and comments, saved as written or escaped.
    engine::PlaceholderTable keptText_{u"\u00A7K33P-", u"\u00A7"};
    // Notextile elements and "==" phrases inside lines, as written.
    engine::PlaceholderTable asWritten_{u"\u00A7W41T-", u"\u00A7"};

    // Marked signatures written by preBlockTransform, with the signature each
    // one replaced, for markers that no block took.
    std::multimap<icu::UnicodeString, icu::UnicodeString> attributeMarkerOrigins_;
};
