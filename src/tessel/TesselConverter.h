#pragma once
// Tessel, the maker's own markup, to an HTML fragment. Block markers are words
// between plus signs ("+quote+", "+table …+"), inline markers doubled
// punctuation ("**", "__", "@@"), links "[target::text]" and "[[target]]"
// below a document-wide link root "[![root]!]".

#include <string>
#include <vector>

#include "engine/ConverterBase.h"
#include "engine/Placeholders.h"

class TesselConverter : public ConverterBase {
public:
    TesselConverter();

    TesselConverter& initWithString(const icu::UnicodeString& string);
    TesselConverter& initWithString(const icu::UnicodeString& string, bool javaScriptLinksOn);

    // The folder against which a table header's import file is resolved, as
    // UTF-8; empty means the working folder (text from standard input).
    void setDocumentFolder(const std::string& utf8Path);

    RuleTable regexTessel(const icu::UnicodeString& root, const icu::UnicodeString& javaScriptStart,
                          const icu::UnicodeString& javaScriptEnd) const;

    icu::UnicodeString transform();

    // The passes, in pipeline order (see transform()).
    void importTableFiles();
    void saveRawHTMLBlocks();
    void hideCriticMarkers();
    void escapeCharacters();
    void commentedText();
    void saveInlineHTML();
    void saveURLsAndPaths();
    void performHTMLEntities();
    // The rule table, each costly rule searched only where it can match.
    void applyRuleTable();
    void tableOfContents();
    void quoteCodeTagTransform();
    void advancedReferences();
    void tableTransfrom();
    void listTransform();
    void definitionListTransForm();
    void returnSavedPieces();
    void makeParagraphs();
    void autoLineBreaks();
    void returnSavedInlineHTML();
    void resolveEscapedCharacters();
    void showCriticMarkers();

    // Put on both sides of a raw-HTML or inline-HTML token while it is in the
    // text: a Unicode noncharacter, which no file-name or address pattern
    // accepts, so a name written right beside a raw piece cannot take part of
    // the token into itself.
    static constexpr char16_t kTokenFence = u'\uFDD5';

    bool useJavaScriptAnchors = false;
    icu::UnicodeString javaScriptHashStart;
    icu::UnicodeString javaScriptHashEnd;

    // The pieces put back by returnSavedPieces, one token family each.
    struct SavedPieces {
        engine::PlaceholderTable links{u"%%SavedLink", u"%%"};
        engine::PlaceholderTable lists{u"%%SAVED-LIST-", u"%%"};
        engine::PlaceholderTable definitionLists{u"%SAVED-DEFLIST-", u"%"};
        engine::PlaceholderTable tables{u"%%SAVED-TABLES-", u"%%"};
    };
    SavedPieces saveForLaterReturn;

private:
    void saveNamedLinkTargets(int64_t& counter);
    void saveRootedLinkTargets(int64_t& counter);
    void saveDescribedImages(int64_t& counter);
    void saveBareReferences(int64_t& counter);
    // Matches of a single-line pattern each of whose matches holds one of the
    // needles (no needles: the whole text is searched).
    std::vector<engine::Match> matchesInLinesWith(const icu::UnicodeString& pattern,
                                                  const std::vector<icu::UnicodeString>& needles) const;
    void protectMatches(const icu::UnicodeString& pattern, const std::vector<icu::UnicodeString>& needles,
                        engine::PlaceholderTable& saved, int64_t& counter);
    // Matches of a dot-matched block pattern each of whose matches ends with
    // `endMarker`; the search stops at the last end marker, so that openers
    // after it, which can never close, do not each scan to the end.
    std::vector<engine::Match> blockMatches(const icu::UnicodeString& pattern,
                                            const icu::UnicodeString& endMarker) const;
    void tagsWithAttributes();
    // Fences the tokens of the table, which stand in the text in number order.
    void fenceTokens(const engine::PlaceholderTable& table);
    icu::UnicodeString listHTML(const icu::UnicodeString& block) const;
    icu::UnicodeString definitionListHTML(const icu::UnicodeString& block) const;
    icu::UnicodeString tableHTML(const icu::UnicodeString& block) const;

    std::string documentFolder_;
    engine::PlaceholderTable inlineHTML_{u"%%SavedHTMLInline", u"%%"};
};
