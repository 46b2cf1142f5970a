// Backslash escapes, hard line breaks, hidden e-mail addresses and the
// paragraph builder.
#include "markdown/Markdown_ObjC.h"

#include <cstdio>
#include <unicode/uchar.h>

#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"
#include "markdown/MarkdownText.h"

namespace {

struct Escape {
    const char16_t* written;
    const char16_t* token;
    const char16_t* restored;
};

// Two backslashes first, so that "\\*" is an escaped backslash and a star.
const Escape kEscapes[] = {
    {u"\\\\", u"<%%01%%>", u"\\"}, {u"\\*", u"<%%02%%>", u"*"}, {u"\\_", u"<%%03%%>", u"_"},
    {u"\\{", u"<%%04%%>", u"{"},   {u"\\}", u"<%%05%%>", u"}"}, {u"\\(", u"<%%06%%>", u"("},
    {u"\\)", u"<%%07%%>", u")"},   {u"\\[", u"<%%08%%>", u"["}, {u"\\]", u"<%%09%%>", u"]"},
    {u"\\>", u"<%%10%%>", u">"},   {u"\\#", u"<%%11%%>", u"#"}, {u"\\.", u"<%%12%%>", u"."},
    {u"\\!", u"<%%13%%>", u"!"},   {u"\\+", u"<%%14%%>", u"+"}, {u"\\-", u"<%%15%%>", u"-"},
    {u"\\`", u"<%%16%%>", u" `"},  {u"\\|", u"<%%17%%>", u"|"},
};

// An address in angle brackets; no part may hold "<" or ">", so the pattern
// cannot start at an earlier tag or escape token on the same line.
const char16_t* const kEmailPattern = uR"(<((?:(?![<>]).)*?)@((?:(?![<>]).)*?)\.((?:(?![<>]).)*?)>)";

bool isLineStart(UChar32 c) {
    return u_isdigit(c) || c == u'#' || c == u'*' || c == u'+' || c == u'-' || c == u'>' || c == u'\t';
}

}  // namespace

void Markdown_ObjC::escapeCharacters() {
    for (const Escape& escape : kEscapes)
        engine::replaceAllLiteral(str, escape.written, escape.token);
}

// One walk over the text instead of one per token. Restoring the tokens one
// kind after the other could only differ where a restored ">" closes a
// written "<%%NN%%" into a token of a later kind (11 to 17); that one is
// restored as well.
void Markdown_ObjC::unescapeCharacters() {
    if (str.indexOf(u"<%%") < 0)
        return;
    auto restoredFor = [](const icu::UnicodeString& text, int32_t at) -> const Escape* {
        for (const Escape& escape : kEscapes)
            if (text.compare(at, 8, escape.token) == 0)
                return &escape;
        return nullptr;
    };
    icu::UnicodeString out(str.length(), UChar32(0), 0);
    int32_t copiedUpTo = 0;
    for (int32_t at = str.indexOf(u"<%%"); at >= 0; at = str.indexOf(u"<%%", copiedUpTo)) {
        const Escape* escape = restoredFor(str, at);
        if (!escape) {
            out.append(str, copiedUpTo, at + 1 - copiedUpTo);
            copiedUpTo = at + 1;
            continue;
        }
        out.append(str, copiedUpTo, at - copiedUpTo);
        copiedUpTo = at + 8;
        const int32_t formed = out.length() - 7;
        if (escape == &kEscapes[9] && formed >= 0 && out.compare(formed, 3, u"<%%") == 0) {
            out.append(u'>');
            const Escape* later = restoredFor(out, formed);
            if (later && later > &kEscapes[9]) {
                out.truncate(formed);
                out.append(later->restored);
            }
            continue;
        }
        out.append(escape->restored);
    }
    out.append(str, copiedUpTo, str.length() - copiedUpTo);
    str = std::move(out);
}

void Markdown_ObjC::nl2br() {
    const icu::UnicodeString lineBreak = engine::formatted(u" <br%@\n", {HTML_close});
    engine::replaceAllLiteral(str, u"  \n", lineBreak);
    engine::replaceAllLiteral(str, u"\t \n", lineBreak);
    engine::replaceAllLiteral(str, u"\t\n", lineBreak);
}

void Markdown_ObjC::encodeEmailAddress() {
    auto matches = matchesForPattern(kEmailPattern);
    if (!matches || matches->empty())
        return;
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& match : *matches) {
        icu::UnicodeString address(match.text(), 1, match.text().length() - 2);
        icu::UnicodeString target = engine::formatted(u"mailto:%@", {address});
        icu::UnicodeString link =
            engine::formatted(u"<a href=\"%@\">%@</a>", {obfuscateEmail(target), obfuscateEmail(address)});
        edits.push_back({match.start(), match.end(), link});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

// Each character, by its whole code point, becomes a hexadecimal or decimal
// entity or stays itself, at random; "@" is always hidden, ":" never.
icu::UnicodeString Markdown_ObjC::obfuscateEmail(const icu::UnicodeString& string) {
    std::uniform_int_distribution<int> percent(1, 99);
    icu::UnicodeString out;
    for (int32_t i = 0; i < string.length();) {
        UChar32 c = string.char32At(i);
        i += U16_LENGTH(c);
        int r = percent(random_);
        if ((r <= 90 && c != u':') || c == u'@') {
            char entity[24];
            std::snprintf(entity, sizeof entity, r <= 44 ? "&#x%02x;" : "&#%u;", static_cast<unsigned>(c));
            out += icu::UnicodeString(entity, -1, icu::UnicodeString::kInvariant);
        } else {
            out.append(c);
        }
    }
    return out;
}

void Markdown_ObjC::performPBlocking() {
    if (engine::isBlank(str))
        return;
    str = addPBlocks(str);
}

icu::UnicodeString Markdown_ObjC::addPBlocks(const icu::UnicodeString& string) const {
    const icu::UnicodeString blockTags[] = {
        u"p>",  u"blockquote>", u"pre>", engine::formatted(u"<hr%@", {HTML_close}),
        u"<h1", u"<h2",         u"<h3",  u"<h4",
        u"<h5", u"<h6",         u"ul>",  u"ol>",
        u"li>", u"table>",      u"tr>",  u"td>",
        u"th>",
    };
    auto hasBlockTag = [&blockTags](const icu::UnicodeString& line) {
        for (const icu::UnicodeString& tag : blockTags)
            if (line.indexOf(tag) >= 0)
                return true;
        return false;
    };

    std::vector<icu::UnicodeString> lines = engine::split(engine::trimmed(string), u"\n");
    if (lines.size() == 1)
        return hasBlockTag(lines[0]) ? lines[0] : engine::formatted(u"<p>%@</p>", {lines[0]});

    bool paragraphOpen = false;
    bool rawBlock = false;
    bool inList = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        icu::UnicodeString& line = lines[i];
        const bool startsSpecial = !line.isEmpty() && isLineStart(line.char32At(0));
        const bool hasTag = hasBlockTag(line);
        const bool closesItem = line.indexOf(u"</li>") >= 0;
        inList = (line.indexOf(u"<li>") >= 0 && !closesItem) || (inList && !closesItem);
        if (startsSpecial || rawBlock || hasTag || inList) {
            if (line.indexOf(u"<pre><code>") >= 0 || line.indexOf(u"<blockquote>") >= 0)
                rawBlock = true;
            else if (line.indexOf(u"</code></pre>") >= 0 || line.indexOf(u"</blockquote>") >= 0)
                rawBlock = false;
            continue;
        }
        rawBlock = false;
        if (engine::trimmed(line).isEmpty()) {
            if (paragraphOpen && i > 0)
                lines[i - 1].append(u"</p>");
            paragraphOpen = false;
        } else if (!paragraphOpen) {
            line.insert(0, u"<p>");
            paragraphOpen = true;
        }
    }
    icu::UnicodeString out = engine::join(lines, u"\n");
    if (paragraphOpen)
        out.append(u"</p>");
    return out;
}
