// Runs of capitals ("NASA") written as <span class="caps">. The rule's
// look-ahead reads on to the next "<" from every run, which on a long text
// without one overflows the matcher's backtracking stack; a walk that finds
// each "<" once gives the same runs.
#include "textile/TextileConverter.h"

#include "engine/RangeEdits.h"
#include "engine/ReplacementTemplate.h"

namespace {

bool isCapital(char16_t c) {
    return c >= u'A' && c <= u'Z';
}

bool barsCapitals(char16_t c) {
    return c == u'>' || isCapital(c) || (c >= u'a' && c <= u'z');
}

}  // namespace

// A run counts when it is three capitals long or more, no letter or ">"
// stands before it, and the next "<" behind it (wherever that is) does not
// open a closing tag: a run inside an element up to its closing tag is left
// to that element. A shorter end of the run would meet the same "<", and a
// start inside the run has a letter before it, so a run counts whole or not
// at all.
std::vector<engine::TextRange> TextileConverter::capitalRuns(const icu::UnicodeString& text) {
    std::vector<engine::TextRange> runs;
    const int32_t length = text.length();
    int32_t nextTag = 0;  // the first "<" at or after the last run's end, or -1
    for (int32_t at = 0; at < length;) {
        if (!isCapital(text[at])) {
            ++at;
            continue;
        }
        int32_t end = at;
        while (end < length && isCapital(text[end]))
            ++end;
        if (end - at >= 3 && (at == 0 || !barsCapitals(text[at - 1]))) {
            if (nextTag >= 0 && nextTag < end)
                nextTag = text.indexOf(u'<', end);
            if (nextTag < 0 || nextTag + 1 >= length || text[nextTag + 1] != u'/')
                runs.push_back({at, end});
        }
        at = end;
    }
    return runs;
}

void TextileConverter::replaceCapitalRuns(const icu::UnicodeString& replacementTemplate) {
    std::vector<engine::RangeEdit> edits;
    for (const engine::TextRange& run : capitalRuns(str)) {
        icu::UnicodeString html;
        engine::appendEvaluatedTemplate(html, replacementTemplate, {run, run}, str);
        edits.push_back({run.start, run.end, html});
    }
    engine::applyRangeEdits(str, std::move(edits));
}
