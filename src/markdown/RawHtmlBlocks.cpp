// Raw HTML blocks are cut out of the text as written, before the working
// text's spaces become tabs, and come back after the paragraphs are built:
// no rule rewrites them and no paragraph wraps them.
#include "markdown/MarkdownConverter.h"

#include "engine/RangeEdits.h"
#include "markdown/HtmlBlockScan.h"

void MarkdownConverter::saveRawHTMLBlocks() {
    using Kind = markdown::RawHtmlPiece::Kind;
    std::vector<engine::RangeEdit> edits;
    for (const markdown::RawHtmlPiece& piece : markdown::rawHtmlPieces(str, flavourIsOn("markdown_in_html"))) {
        icu::UnicodeString raw(str, piece.start, piece.end - piece.start);
        if (piece.kind == Kind::openingTag)
            raw.remove(piece.attributeStart - piece.start, piece.attributeEnd - piece.attributeStart);
        icu::UnicodeString token = htmlBlocksEscaped.add(raw);
        // The Markdown inside a block stands apart from its tags, as blocks
        // of its own.
        if (piece.kind == Kind::openingTag)
            token.append(u"\n\n");
        else if (piece.kind == Kind::closingTag)
            token.insert(0, u"\n\n");
        edits.push_back({piece.start, piece.end, std::move(token)});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

bool MarkdownConverter::isSavedRawHTML(const icu::UnicodeString& line) const {
    return line.startsWith(u"%%") && htmlBlocksEscaped.savedTextForToken(line).has_value();
}
