#pragma once
// Markdown to an HTML fragment, with the Markdown Extra and MultiMarkdown
// flavours switching extra passes on. One working text, rewritten by a fixed
// list of passes (MarkdownConverter.cpp); each group of passes has its own file.

#include <cstdint>
#include <map>
#include <random>
#include <string>

#include "engine/ConverterBase.h"

class MarkdownConverter : public ConverterBase {
public:
    MarkdownConverter();

    MarkdownConverter& initWithString(const icu::UnicodeString& string);
    // Switches absent from the map are off; "javascript_anchors" is on
    // whenever present.
    void setFlavour(const std::map<std::string, bool>& flavour);
    icu::UnicodeString transform();

    // Rule tables (MarkdownRules.cpp). A rule names in its fast path the walk
    // of this converter that finds what its pattern finds.
    enum Walk : int {
        kUnderlinedHeadingWalk = 1,  // marked by the underline's character
        kMarkLineWalk,               // a horizontal rule, by its character
        kAtxHeadingWalk,
        kInlineLinkWalk,             // opened by the fast path's literal
        kInlineLinkWithTitleWalk,
        kWebAddressWalk,
        kBareAddressWalk,            // written back as it stands
    };
    RuleTable firstRegexMarkdown() const;
    RuleTable regexMarkdownLinks() const;
    RuleTable regexMarkdown() const;
    void firstSimpleTransform();
    // Emphasis and strong emphasis, nested (EmphasisSpans.h).
    void emphasis();
    // The main table, each heading rule tried only on lines that start with "#".
    void applyMainRules();

    // Fenced code (FencedCode.cpp), saved before the text is normalised.
    void saveFencedCodeBlocks();

    // Code and quotes (CodeAndQuotes.cpp).
    void codeBlockSave();
    // Math spans (flavour "math") saved as their HTML, like code.
    void mathSave();
    void codeBlockReturn();
    void quoteBlockFormatting();
    static icu::UnicodeString hardenHTML(const icu::UnicodeString& string);

    // Raw HTML blocks (RawHtmlBlocks.cpp): saved in `htmlBlocksEscaped` as
    // written, before the text is normalised; put back after the paragraphs.
    void saveRawHTMLBlocks();

    // Escapes, e-mail, line breaks and paragraphs (EscapesAndParagraphs.cpp).
    void escapeCharacters();
    void unescapeCharacters();
    void nl2br();
    void encodeEmailAddress();
    icu::UnicodeString obfuscateEmail(const icu::UnicodeString& string);
    void performPBlocking();
    // Inside a quote (`inQuote`), the lines of a nested quote, lazy ones
    // too, are left for the quote pass's next round.
    icu::UnicodeString addPBlocks(const icu::UnicodeString& string, bool inQuote = false) const;

    // Links and references (LinksAndReferences.cpp).
    void linkSave();
    void linkReturn();
    void referenceStyleFormatting();

    // Lists (Lists.cpp).
    void performList();
    // Replaces the lists of `text` by their HTML.
    void buildLists(icu::UnicodeString& text) const;
    icu::UnicodeString makeHTMLList(const icu::UnicodeString& listText) const;
    icu::UnicodeString resolveOrderedLists(const icu::UnicodeString& listText) const;

    // Tables (Tables.cpp).
    void performTables();

    // Footnotes, definition lists and strikethrough (FootnotesAndDefinitions.cpp).
    void strikethrough();
    void performFootNotes();
    void performDefinitionBlock();
    void returnDefinitionBlocks();

    // Bibliography and table of contents (BibliographyAndContents.cpp).
    void toc_create();
    void performBibliography();

    std::map<std::string, bool> mdFlavour;
    engine::PlaceholderTable codeBlocksEscaped;
    // The text of each saved code span as written, under its token.
    engine::PlaceholderTable codeSpansAsWritten;
    engine::PlaceholderTable linksEscaped;
    engine::PlaceholderTable definitionBlocksEscaped;
    icu::UnicodeString javaScriptHashStart;
    icu::UnicodeString javaScriptHashEnd;

private:
    bool flavourIsOn(const char* name) const;
    // Matches over `str` with no options; none when the pattern fails.
    std::vector<engine::Match> allMatches(const icu::UnicodeString& pattern) const {
        return matchesForPattern(pattern).value_or(std::vector<engine::Match>{});
    }
    void runStep(void (MarkdownConverter::*pass)(), const char16_t* messageOnException);
    // Whether a line is the token of saved raw HTML; of any saved block (raw
    // HTML, or code saved as a pre element).
    bool isSavedRawHTML(const icu::UnicodeString& line) const;
    bool isSavedBlock(const icu::UnicodeString& line) const;
    void normaliseText();
    // Replaces each span by a code token; the backticks to drop are its
    // delimiters, wherever they stand in it.
    void saveCodeSpans(const std::vector<engine::TextRange>& spans, const icu::UnicodeString& backticksToDrop);
    // Replaces the indented code blocks of `text` by code tokens.
    void saveIndentedCodeBlocks(icu::UnicodeString& text);
    icu::UnicodeString savedCodeBlock(const std::vector<icu::UnicodeString>& lines, int indents);
    icu::UnicodeString codeAsWritten(const icu::UnicodeString& code) const;
    // An anchor name made from heading or caption text: lower case, no
    // spaces, and none of this converter's tokens.
    static icu::UnicodeString identifierFrom(const icu::UnicodeString& text);

    std::mt19937 random_;
};
