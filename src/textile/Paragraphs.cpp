// notextile blocks, paragraphs and line breaks: the passes that frame the
// conversion.
#include "textile/Textile_ObjC.h"

#include <unicode/uchar.h>

#include "engine/AsciiCaseSearch.h"
#include "engine/CandidateSearch.h"
#include "engine/LiteralSearch.h"
#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"

// "notextile." up to the blank line (looked at, not taken, so that it can be
// the blank line in front of the next notextile block), or "notextile.." up
// to the next block signature, blank lines included.
void Textile_ObjC::saveNotextileBlocks() {
    auto matches = matchesForDotMatchedPattern(u"(?m)^\\nnotextile(?:\\.[ ](.*?)\\n(?=\\n)|\\.\\.[ ](.*?)" +
                                               extendedBlockEndPattern() + u")");
    if (!matches)
        return;
    // The token keeps the block's newlines around it; only the bare
    // "§§N0T3XT1LE-n§§" stands for the text, so a pass that takes a newline
    // next to it (an alias line above) cannot make it unrestorable. The
    // saved text starts behind "notextile." and one space; further spaces stay.
    std::vector<engine::RangeEdit> edits;
    int64_t number = 1;
    for (const engine::Match& match : *matches) {
        const icu::UnicodeString& saved = match.took_part(1) ? match.text(1) : match.text(2);
        icu::UnicodeString token = noTextileDic.set(number++, saved);
        edits.push_back({match.start(), match.end(), u"\n" + token + u"\n"});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

void Textile_ObjC::returnNoTextileBlocks() {
    noTextileDic.restoreInto(str);
}

namespace {

// Whether a line keeps a paragraph from starting: a placeholder, or a tag
// of block level ("<p", "<pre", "<table", "<h1", "<li", "<ol", "<ul", a
// closing tag, "<blockquote", "<dl", "<code" …).
bool startsBlockLevel(const icu::UnicodeString& t) {
    static const icu::UnicodeString firstSet(u"<\u00A7");
    static const icu::UnicodeString secondSet(u"ptbhloucd/\u00A7");
    static const icu::UnicodeString escapeSet(u"bdc");
    if (firstSet.indexOf(t.charAt(0)) < 0 || t.length() < 2)
        return false;
    int32_t at = escapeSet.indexOf(t.charAt(1)) >= 0 ? 2 : 1;
    return at < t.length() && secondSet.indexOf(t.charAt(at)) >= 0;
}

// Removes the line break that stands right behind a table tag ("<td>",
// "</tr>"), the tag written in lower case. The tags hold no "i", "k" or "s",
// so comparing ASCII letters in either case finds just what a case-insensitive
// search finds. One walk over the tags, since removing a break behind one tag
// never makes or takes a break behind another.
void dropBreaksAfterTableTags(icu::UnicodeString& text, const icu::UnicodeString& htmlClose) {
    static const icu::UnicodeString tags[] = {u"<table>", u"<td>",     u"<tr>",     u"<th>",     u"<thead>",
                                              u"<tfoot>", u"<tbody>", u"</table>", u"</td>",    u"</tr>",
                                              u"</th>",   u"</thead>", u"</tfoot>", u"</tbody>"};
    const icu::UnicodeString lowerBreak = u"<br" + htmlClose;
    icu::UnicodeString out;
    int32_t copiedUpTo = 0;
    bool changed = false;
    for (int32_t at = engine::findUnit(text, u'<'); at >= 0; at = engine::findUnit(text, u'<', at + 1)) {
        for (const icu::UnicodeString& tag : tags) {
            if (!engine::startsWithIgnoringAsciiCase(text, at, tag) ||
                !engine::startsWithIgnoringAsciiCase(text, at + tag.length(), lowerBreak))
                continue;
            if (!changed)
                out = engine::emptyWithRoomFor(text);
            changed = true;
            out.append(text, copiedUpTo, at - copiedUpTo).append(tag);
            copiedUpTo = at + tag.length() + lowerBreak.length();
            at = copiedUpTo - 1;
            break;
        }
    }
    if (!changed)
        return;
    out.append(text, copiedUpTo, text.length() - copiedUpTo);
    text = std::move(out);
}

}  // namespace

void Textile_ObjC::performPBlocking() {
    std::vector<icu::UnicodeString> lines = engine::split(str, u"\n");
    bool open = false;
    bool allowed = true;
    for (size_t i = 0; i < lines.size(); ++i) {
        icu::UnicodeString t = engine::trimmed(lines[i]);
        if (t.isEmpty()) {
            allowed = true;
            if (open && i > 0)
                lines[i - 1] += u"</p>";
            open = false;
            continue;
        }
        if (startsBlockLevel(t))
            allowed = false;
        if (!open && allowed) {
            lines[i].insert(0, u"<p>");
            open = true;
        }
    }
    str = engine::join(lines, u"\n");
    if (open)
        str += u"</p>";
}

void Textile_ObjC::performAddBRs() {
    const icu::UnicodeString lineBreak = engine::formatted(u"<br%@\n", {HTML_close});
    // An element runs to the first closing tag behind it, so none begins
    // after the last one: those openings are not tried.
    auto breakLines = [&](const icu::UnicodeString& pattern, const icu::UnicodeString& open,
                          const icu::UnicodeString& close, int32_t closeRest, bool skipPre) {
        const int32_t closed = engine::endOfLastOccurrence(str, close);
        if (closed < 0)
            return;
        engine::SearchPlan plan{engine::occurrencesOf(str, open), closed + closeRest};
        auto matches = engine::findAllPlanned(str, pattern, plan, engine::kDotMatchesLineSeparators);
        if (!matches)
            return;
        std::vector<engine::RangeEdit> edits;
        for (const engine::Match& match : *matches) {
            icu::UnicodeString text = match.text();
            if (skipPre && icu::UnicodeString(text, 0, 5).toLower().indexOf(u"<pre") >= 0)
                continue;
            if (text.indexOf(u'\n') < 0)
                continue;
            engine::replaceAllLiteral(text, u"\n", lineBreak);
            edits.push_back({match.start(), match.end(), text});
        }
        engine::applyRangeEdits(str, std::move(edits));
    };
    breakLines(u"<p(.*?)</p>", u"<p", u"</p>", 0, true);
    breakLines(u"<h[1-6{1,1}](.*?)</h[1-6{1,1}]>", u"<h", u"</h", 2, false);

    dropBreaksAfterTableTags(str, HTML_close);
}
