#pragma once
// The placeholder tokens each converter puts into its working text and must
// take out again. A token in the HTML that the document did not hold itself
// is a leak. Shared by the converter tests and the fuzz targets.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace placeholdertokens {

// Markdown, Markdown Extra and MultiMarkdown; the lower-case forms come from
// heading identifiers built from text that still held a token.
inline const std::vector<std::string> markdown = {
    "%%SavedHTMLBlock(", "%SavedCodeBlock", "%SavedLink",  "<%%",
    "%%definitionBlock", "%savedcodeblock", "%savedlink",
};

// "§§" frames every saved no-Textile piece and the block attributes; "§K33P-"
// opens the tokens of saved code and comments.
inline const std::vector<std::string> textile = {"%%SavedHTMLBlock(", "\u00A7\u00A7", "\u00A7K33P-"};

inline const std::vector<std::string> wikitext = {"%%SavedHTMLBlock(", "%%definitionBlock"};

inline const std::vector<std::string> bbcode = {"%%SavedHTMLBlock("};

// Tessel's saved pieces, its escape tokens "%%01%%" … "%%22%%", and the
// noncharacters U+FDD0 … U+FDD5 that stand for CriticMarkup markers and fence
// saved HTML while the conversion runs.
inline std::vector<std::string> tesselTokens() {
    std::vector<std::string> tokens = {"%%SavedHTMLBlock(", "%%SavedHTMLInline", "%%SavedLink",
                                       "%%SAVED-LIST-",     "%SAVED-DEFLIST-",   "%%SAVED-TABLES-",
                                       "%%ENTITY-SAVE-"};
    for (int number = 1; number <= 22; ++number)
        tokens.push_back("%%" + std::string(1, char('0' + number / 10)) + char('0' + number % 10) + "%%");
    for (const char* noncharacter : {"\uFDD0", "\uFDD1", "\uFDD2", "\uFDD3", "\uFDD4", "\uFDD5"})
        tokens.push_back(noncharacter);
    return tokens;
}
inline const std::vector<std::string> tessel = tesselTokens();

// The token list of a language identifier as the dispatcher knows it; empty
// for languages without tokens (html).
inline const std::vector<std::string>& forLanguage(std::string_view language) {
    static const std::vector<std::string> none;
    if (language == "markdown" || language == "markdownextra" || language == "multimarkdown")
        return markdown;
    if (language == "textile")
        return textile;
    if (language == "wikitext")
        return wikitext;
    if (language == "bbcode")
        return bbcode;
    if (language == "tessel")
        return tessel;
    return none;
}

// The first token of `tokens` that is in `html` but in none of `sources`
// (the document, and the document as the converter saw it), or empty.
inline std::string leaked(const std::vector<std::string>& tokens, std::string_view html,
                          std::initializer_list<std::string_view> sources) {
    for (const std::string& token : tokens) {
        if (html.find(token) == std::string_view::npos)
            continue;
        bool inSource = false;
        for (std::string_view source : sources)
            inSource = inSource || source.find(token) != std::string_view::npos;
        if (!inSource)
            return token;
    }
    return {};
}

}  // namespace placeholdertokens
