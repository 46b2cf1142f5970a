#include "markdown/MarkdownConverter.h"

#include <algorithm>
#include <exception>
#include <unicode/uchar.h>

#include "engine/ConversionBudget.h"
#include "engine/Log.h"
#include "engine/TextUtilities.h"
#include "engine/TextSearch.h"

namespace {

using Pass = void (MarkdownConverter::*)();

struct PipelineStep {
    Pass pass;
    const char* flavourSwitch;  // null: always
    const char16_t* messageOnException;
};

// The passes in their order. Saving passes hide code and links from the rules
// that follow; the return passes near the end put them back.
const PipelineStep kPipeline[] = {
    {&MarkdownConverter::codeBlockSave, nullptr, u"EXCEPTIOM: - codeBlockSave - %@"},
    {&MarkdownConverter::mathSave, "math", u"EXCEPTIOM: - mathSave - %@"},
    {&MarkdownConverter::linkSave, nullptr, u"EXCEPTIOM: - linkSave - %@"},
    {&MarkdownConverter::firstSimpleTransform, nullptr, u"EXCEPTIOM: - firstSimpleTransform - %@"},
    {&MarkdownConverter::quoteBlockFormatting, nullptr, u"EXCEPTIOM: - quoteBlockFormatting - %@"},
    {&MarkdownConverter::performTables, "tables_piped", u"EXCEPTIOM: - performTables - %@"},
    {&MarkdownConverter::emphasis, nullptr, u"EXCEPTIOM: - emphasis - %@"},
    {&MarkdownConverter::applyMainRules, nullptr, u"EXCEPTIOM: - simpleTransform - %@"},
    {&MarkdownConverter::toc_create, "toc_create", u"EXCEPTIOM: - toc_create - %@"},
    {&MarkdownConverter::performList, nullptr, u"EXCEPTIOM: - performList - %@"},
    {&MarkdownConverter::quoteBlockFormatting, nullptr, u"EXCEPTIOM: - quoteBlockFormatting - %@"},
    {&MarkdownConverter::escapeCharacters, nullptr, u"EXCEPTIOM: - escapeCharacters - %@"},
    {&MarkdownConverter::strikethrough, "tilde_strike", u"EXCEPTIOM: - strikethrough - %@"},
    {&MarkdownConverter::nl2br, nullptr, u"EXCEPTIOM: - nl2br - %@"},
    {&MarkdownConverter::encodeEmailAddress, nullptr, u"EXCEPTIOM: - encodeEmailAddress - %@"},
    {&MarkdownConverter::performBibliography, "bibliography", u"EXCEPTIOM: - performBibliography - %@"},
    {&MarkdownConverter::performFootNotes, "footnotes", u"EXCEPTIOM: - performFootNotes - %@"},
    {&MarkdownConverter::referenceStyleFormatting, nullptr, u"EXCEPTIOM: - referenceStyleFormatting - %@"},
    {&MarkdownConverter::performDefinitionBlock, "definition_list", u"EXCEPTIOM: - performDefinitionBlock - %@"},
    {&MarkdownConverter::returnDefinitionBlocks, "definition_list", u"EXCEPTIOM: - returDefinitionBlocks - %@"},
    {&MarkdownConverter::codeBlockReturn, nullptr, u"EXCEPTIOM: - codeBlockReturn - %@"},
    {&MarkdownConverter::codeBlockReturn, nullptr, u"EXCEPTIOM: - codeBlockReturn 2 - %@"},
    {&MarkdownConverter::linkReturn, nullptr, u"EXCEPTIOM: -[self  linkReturn - %@"},
    {&MarkdownConverter::unescapeCharacters, nullptr, u"EXCEPTIOM: - unescapeCharacters - %@"},
    {&MarkdownConverter::performPBlocking, nullptr, u"EXCEPTIOM: - performPBlocking - %@"},
    {&MarkdownConverter::returnSavedHTMLBlocks, nullptr, u"EXCEPTIOM: - returnSavedHTMLBlocks - %@"},
};

bool isHorizontalWhiteSpace(char16_t c) {
    if (c < 0x80)
        return c == u' ' || c == u'\t';
    return u_isblank(c);
}

// Where the first run of four spaces in [from, to) starts, or `to`. A run
// starting at any of four positions takes the last of them, so the walk
// looks at every fourth character until it sees a space.
int32_t fourSpacesFrom(const char16_t* in, int32_t from, int32_t to) {
    for (int32_t at = from; at + 4 <= to;) {
        if (in[at + 3] != u' ') {
            at += 4;
            continue;
        }
        int32_t spacesStart = at + 3;
        while (spacesStart > at && in[spacesStart - 1] == u' ')
            --spacesStart;
        if (spacesStart == at)
            return at;
        at = spacesStart;
    }
    return to;
}

// Copies [from, to), each run of four spaces becoming a tab (left to right,
// the rest of a run staying spaces); shorter runs stay as they are.
void copyTabbed(const char16_t* in, int32_t from, int32_t to, char16_t*& out) {
    for (int32_t at = from; at < to;) {
        const int32_t run = fourSpacesFrom(in, at, to);
        out = std::copy(in + at, in + run, out);
        int32_t runEnd = run;
        while (runEnd < to && in[runEnd] == u' ')
            ++runEnd;
        for (int32_t tabs = (runEnd - run) / 4; tabs > 0; --tabs)
            *out++ = u'\t';
        for (int32_t rest = (runEnd - run) % 4; rest > 0; --rest)
            *out++ = u' ';
        at = runEnd;
    }
}

}  // namespace

MarkdownConverter::MarkdownConverter()
    : codeBlocksEscaped(u"%SavedCodeBlock", u"%"),
      codeSpansAsWritten(u"%SavedCodeBlock", u"%"),
      linksEscaped(u"%SavedLink", u"%"),
      definitionBlocksEscaped(u"%%definitionBlock", u"%%"),
      random_(std::random_device{}()) {}

MarkdownConverter& MarkdownConverter::initWithString(const icu::UnicodeString& string) {
    setHTML5orXHTML();
    codeBlocksEscaped = engine::PlaceholderTable(u"%SavedCodeBlock", u"%");
    codeSpansAsWritten = engine::PlaceholderTable(u"%SavedCodeBlock", u"%");
    linksEscaped = engine::PlaceholderTable(u"%SavedLink", u"%");
    definitionBlocksEscaped = engine::PlaceholderTable(u"%%definitionBlock", u"%%");
    mdFlavour.clear();
    ConverterBase::initWithString(string, regexMarkdown());
    return *this;
}

void MarkdownConverter::setFlavour(const std::map<std::string, bool>& flavour) {
    mdFlavour = flavour;
    if (mdFlavour.count("javascript_anchors")) {
        javaScriptHashStart = u"javascript:;\" onclick=\"document.location.hash='";
        javaScriptHashEnd = u"';";
    } else {
        javaScriptHashStart = u"#";
        javaScriptHashEnd = u"";
    }
}

bool MarkdownConverter::flavourIsOn(const char* name) const {
    auto found = mdFlavour.find(name);
    return found != mdFlavour.end() && found->second;
}

void MarkdownConverter::runStep(void (MarkdownConverter::*pass)(), const char16_t* messageOnException) {
    // A failing pass keeps what it wrote so far; the next pass still runs.
    // A conversion over its time budget stops altogether.
    engine::stopIfOverBudget();
    try {
        (this->*pass)();
    } catch (const engine::ConversionStopped&) {
        throw;
    } catch (const std::exception& exception) {
        engine::log(messageOnException, {engine::fromUtf8(exception.what())});
    } catch (...) {
        engine::log(messageOnException, {u"unknown exception"});
    }
}

icu::UnicodeString MarkdownConverter::transform() {
    if (engine::isBlank(str))
        return str;
    // Raw HTML and fenced code are saved before four spaces become a tab and
    // empty lines merge, so that they come back as written. HTML first: it
    // is put back last of all, so a code token inside it would never be.
    runStep(&MarkdownConverter::saveRawHTMLBlocks, u"EXCEPTIOM: - saveRawHTMLBlocks - %@");
    if (flavourIsOn("fenced_code"))
        saveFencedCodeBlocks();
    normaliseText();
    for (const PipelineStep& step : kPipeline)
        if (!step.flavourSwitch || flavourIsOn(step.flavourSwitch))
            runStep(step.pass, step.messageOnException);
    return str;
}

// Blank lines become empty, four spaces a tab, and no two empty lines follow
// each other; the text gets two newlines before and one after. One walk,
// line by line, gives what doing these steps one after the other gives.
void MarkdownConverter::normaliseText() {
    const int32_t length = str.length();
    const char16_t* in = str.getBuffer();
    // Tabs only shorten lines; the newlines added are two before and one
    // after.
    icu::UnicodeString text;
    char16_t* const start = text.getBuffer(length + 3);
    if (!start || !in)
        return;  // no memory for the copy: the text stays as written
    char16_t* out = start;
    auto appendNewline = [start, &out] {
        if (out - start < 2 || out[-1] != u'\n' || out[-2] != u'\n')
            *out++ = u'\n';
    };
    appendNewline();
    appendNewline();
    for (int32_t at = 0;;) {
        const int32_t lineEnd = engine::firstOfUnits(in, at, length, u'\n', u'\n', u'\n');
        int32_t blanksEnd = at;
        while (blanksEnd < lineEnd && isHorizontalWhiteSpace(in[blanksEnd]))
            ++blanksEnd;
        if (blanksEnd < lineEnd)
            copyTabbed(in, at, lineEnd, out);
        appendNewline();
        if (lineEnd >= length)
            break;
        at = lineEnd + 1;
    }
    text.releaseBuffer(static_cast<int32_t>(out - start));
    str = std::move(text);
}

icu::UnicodeString MarkdownConverter::identifierFrom(const icu::UnicodeString& text) {
    icu::UnicodeString identifier(text);
    engine::replaceAllLiteral(identifier, u" ", u"");
    identifier.toLower();
    // A token lower-cased would never be restored; it has no place in a name.
    engine::replaceAll(identifier, u"%savedcodeblock[0-9]+%|%savedlink[0-9]+%", u"");
    return identifier;
}
