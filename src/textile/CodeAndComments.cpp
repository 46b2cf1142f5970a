// Text the rules must not touch: code ("bc.", "pre.", <pre> and "@…@") is
// escaped and shown as written, HTML comments stay comments; both are cut
// out before the other passes and put back at the end. Extended blocks
// ("bq..", "p..", "bc..", "pre..") run over blank lines up to the next block
// signature and are rewritten into plain blocks first.
#include "textile/TextileConverter.h"

#include <algorithm>

#include "engine/TextSearch.h"
#include "engine/MatchSteps.h"
#include "engine/RangeEdits.h"
#include "engine/Regex.h"
#include "engine/TextUtilities.h"

namespace {

const icu::UnicodeString kExtendedBlockPattern = u"(?m)^\\n(bq|bc|pre|p)(" +
                                                 TextileConverter::signatureAttributesPattern() + u")\\.\\.[ ]+(.*?)" +
                                                 TextileConverter::extendedBlockEndPattern();

const char16_t* const kPreSectionPattern = uR"(<pre(?:\s[^<>]*)?>(.*?)</pre>)";
const char16_t* const kNotextilePattern = uR"(<notextile>(.*?)</notextile>)";
// "==text==": text left as written, on one line, with white space or an
// opening bracket before it and white space or punctuation behind ("!==" in
// prose opens none); its content holds no "=" so that an opening that never
// closes costs a look up to the next "=".
const char16_t* const kEscapedPhrasePattern =
    uR"((?<![^\s(\[{])==([^\s=](?:[^=\n]*?[^\s=])?)==(?=[\s.,;:!?)\]}]|\z))";
const char16_t* const kScriptSectionPattern = uR"(<(script|style)(?:\s[^<>]*)?>(.*?)</\1>)";
// The content of a "bc." or "pre." block, up to its blank line.
const icu::UnicodeString kCodeBlockPattern =
    u"(?m)^\\n(?:bc|pre)" + TextileConverter::signatureAttributesPattern() + u"\\.[ ]+(.*?)(?=\\n\\n)";
// "@code@" between anything but letters, digits and further "@" (so an
// e-mail address opens no code), neither end on white space.
const char16_t* const kInlineCodePattern = uR"((?<![\w@])@([^\s@](?:[^@\n]*?[^\s@])?)@(?![\w@]))";

std::vector<engine::Match> allMatches(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                      uint32_t options) {
    return engine::findAllAt(text, pattern, engine::atOpenings(pattern, options), options).value_or(std::vector<engine::Match>{});
}

// Paragraphs that start a list or a table stay as they are inside an
// extended block; the others get the block's signature.
icu::UnicodeString signedParagraphs(const icu::UnicodeString& content, const icu::UnicodeString& signature) {
    std::vector<icu::UnicodeString> paragraphs;
    for (const icu::UnicodeString& paragraph : engine::split(content, u"\n\n")) {
        if (engine::isBlank(paragraph))
            continue;
        const bool structural = paragraph.startsWith(u"*") || paragraph.startsWith(u"#") || paragraph.startsWith(u"|");
        paragraphs.push_back(structural ? paragraph : signature + paragraph);
    }
    return engine::join(paragraphs, u"\n\n");
}

// A "<pre>" section runs to the first "</pre>" behind it, so none begins
// after the last "</pre>": the search stops there instead of trying every
// later "<pre" up to the end of the text. The same holds for each tag of
// `tags`, whose sections `pattern` finds.
std::vector<engine::Match> sections(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                    std::initializer_list<const char16_t*> tags) {
    engine::SearchPlan plan;
    for (const char16_t* tag : tags) {
        const icu::UnicodeString open = u"<" + icu::UnicodeString(tag);
        const icu::UnicodeString close = u"</" + icu::UnicodeString(tag) + u">";
        int32_t limit = -1;
        for (int32_t at = engine::indexOfIgnoringAsciiCase(text, close); at >= 0;
             at = engine::indexOfIgnoringAsciiCase(text, close, at + 1))
            limit = at + close.length();
        plan.limit = std::max(plan.limit, limit);
        for (int32_t at = engine::indexOfIgnoringAsciiCase(text, open); at >= 0 && at < limit;
             at = engine::indexOfIgnoringAsciiCase(text, open, at + 1))
            plan.starts.push_back(at);
    }
    if (plan.limit < 0)
        return {};
    std::sort(plan.starts.begin(), plan.starts.end());
    const uint32_t options = engine::kDotMatchesLineSeparators | engine::kCaseInsensitive;
    return engine::findAllAt(text, pattern, engine::atPlannedStarts(std::move(plan), pattern, options), options)
        .value_or(std::vector<engine::Match>{});
}

icu::UnicodeString asWritten(const icu::UnicodeString& text) {
    return text;
}

// A "<pre>" section's content, escaped; a "<code>" element that wraps all of
// it stays an element.
icu::UnicodeString preContent(const icu::UnicodeString& text) {
    static const icu::UnicodeString codeEnd(u"</code>");
    auto open = engine::findFirst(text, u"^\\s*<code(?:\\s[^<>]*)?>", engine::kCaseInsensitive);
    const int32_t close = engine::indexOfIgnoringAsciiCase(text, codeEnd);
    if (!open || close < open->end() || !engine::isBlank(icu::UnicodeString(text, close + codeEnd.length())))
        return engine::escapedHTML(text);
    return open->text() + engine::escapedHTML(icu::UnicodeString(text, open->end(), close - open->end())) +
           icu::UnicodeString(text, close);
}

}  // namespace

void TextileConverter::performExtendedBlocks() {
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& block : allMatches(str, kExtendedBlockPattern, engine::kDotMatchesLineSeparators)) {
        const icu::UnicodeString& tag = block.text(1);
        const icu::UnicodeString& attributes = block.text(2);
        icu::UnicodeString html;
        if (tag == u"bc" || tag == u"pre")
            html = engine::formatted(u"\n%@%@. %@",
                                     {tag, attributes, keptText_.add(engine::escapedHTML(block.text(3)))});
        else if (tag == u"p")
            html = u"\n" + signedParagraphs(block.text(3), u"p" + attributes + u". ");
        else
            html = u"\n<blockquote>\n\n" + signedParagraphs(block.text(3), u"p" + attributes + u". ") +
                   u"\n\n</blockquote>";
        edits.push_back({block.start(), block.end(), html});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

void TextileConverter::saveCodeAndComments() {
    keepComments();
    // Scripts and styles are no text: their content stays as written.
    keepMatches(sections(str, kScriptSectionPattern, {u"script", u"style"}), 2, asWritten);
    keepPreSections();
    keepMatches(allMatches(str, kCodeBlockPattern, engine::kDotMatchesLineSeparators), 1, engine::escapedHTML);
    keepMatches(allMatches(str, kInlineCodePattern, engine::kNoOptions), 0, [](const icu::UnicodeString& code) {
        return u"<code>" + engine::escapedHTML(icu::UnicodeString(code, 1, code.length() - 2)) + u"</code>";
    });
    // Notextile elements and "==" phrases are the last text kept, as
    // written. An element that stands on its own lines is kept like a
    // notextile block, so it opens no paragraph.
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& match : sections(str, kNotextilePattern, {u"notextile"})) {
        const bool alone = (match.start() == 0 || str[match.start() - 1] == u'\n') &&
                           (match.end() == str.length() || str[match.end()] == u'\n');
        edits.push_back({match.start(), match.end(),
                         alone ? noTextileDic.add(match.text(1)) : asWritten_.add(match.text(1))});
    }
    engine::applyRangeEdits(str, std::move(edits));
    keepMatches(allMatches(str, kEscapedPhrasePattern, engine::kNoOptions), 0, [](const icu::UnicodeString& phrase) {
        return icu::UnicodeString(phrase, 2, phrase.length() - 4);
    }, asWritten_);
}

// "<pre>" sections; one that a "bc." or "pre." block shows is text and
// keeps no element.
void TextileConverter::keepPreSections() {
    const std::vector<engine::Match> blocks = allMatches(str, kCodeBlockPattern, engine::kDotMatchesLineSeparators);
    auto block = blocks.begin();
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& match : sections(str, kPreSectionPattern, {u"pre"})) {
        while (block != blocks.end() && block->end(1) <= match.start())
            ++block;
        const bool shown = block != blocks.end() && block->start(1) <= match.start();
        const icu::UnicodeString& content = match.text(1);
        edits.push_back({match.start(1), match.end(1), keptText_.add(shown ? engine::escapedHTML(content) : preContent(content))});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

// Each "<!--" up to the first "-->" behind it, over line ends: once no
// "-->" follows one opening, none follows a later one, so the search stops.
void TextileConverter::keepComments() {
    static const icu::UnicodeString open(u"<!--");
    static const icu::UnicodeString close(u"-->");
    std::vector<engine::RangeEdit> edits;
    for (int32_t start = str.indexOf(open); start >= 0;) {
        const int32_t closed = str.indexOf(close, start + open.length());
        if (closed < 0)
            break;
        const int32_t end = closed + close.length();
        edits.push_back({start, end, keptText_.add(icu::UnicodeString(str, start, end - start))});
        start = str.indexOf(open, end);
    }
    engine::applyRangeEdits(str, std::move(edits));
}

// Replaces group `group` of every match by a token that stands for `kept` of it.
void TextileConverter::keepMatches(const std::vector<engine::Match>& matches, int group,
                               icu::UnicodeString (*kept)(const icu::UnicodeString&)) {
    keepMatches(matches, group, kept, keptText_);
}

void TextileConverter::keepMatches(const std::vector<engine::Match>& matches, int group,
                               icu::UnicodeString (*kept)(const icu::UnicodeString&), engine::PlaceholderTable& into) {
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& match : matches)
        edits.push_back({match.start(group), match.end(group), into.add(kept(match.text(group)))});
    engine::applyRangeEdits(str, std::move(edits));
}

void TextileConverter::returnCodeAndComments() {
    // Text kept as written may hold code kept before it.
    asWritten_.restoreInto(str);
    keptText_.restoreInto(str);
}
