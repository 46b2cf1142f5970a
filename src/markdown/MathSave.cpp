#include <string_view>

#include "engine/MathSpans.h"
#include "engine/RangeEdits.h"
#include "markdown/MarkdownConverter.h"

// Code is saved already, so what is left of the text is prose. A span goes
// out as its HTML under a code token: emphasis, escapes and tables never see
// it, and the code's return pass brings it back.
void MarkdownConverter::mathSave() {
    const icu::UnicodeString& source = str;
    const std::u16string_view text(source.getBuffer(), static_cast<std::size_t>(source.length()));
    std::vector<engine::RangeEdit> edits;
    for (const engine::MathSpan& span : engine::mathSpans(text, true)) {
        const std::u16string_view written = text.substr(span.start, span.end - span.start);
        const std::u16string html = engine::mathHtml(written, span.display);
        icu::UnicodeString token = codeBlocksEscaped.add(icu::UnicodeString(html.data(), static_cast<int32_t>(html.size())));
        codeSpansAsWritten.set(codeBlocksEscaped.entries().rbegin()->first,
                               icu::UnicodeString(written.data(), static_cast<int32_t>(written.size())));
        edits.push_back({static_cast<int32_t>(span.start), static_cast<int32_t>(span.end), std::move(token)});
    }
    engine::applyRangeEdits(str, std::move(edits));
}
