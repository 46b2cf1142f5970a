// Attributes: block signatures such as "p(intro)<. " (preBlockTransform and
// performAddAttributesToBlocks), and the attribute part of link texts and
// image sources (checkAttributesOnString).
#include "textile/TextileConverter.h"

#include "engine/Log.h"
#include "engine/MatchSteps.h"
#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"

namespace {

const icu::UnicodeString kMarkerSign(u"\u00A7\u00A7");

int32_t removeAll(icu::UnicodeString& text, char16_t c) {
    int32_t count = 0;
    icu::UnicodeString out;
    for (int32_t i = 0; i < text.length(); ++i) {
        if (text.charAt(i) == c)
            ++count;
        else
            out.append(text.charAt(i));
    }
    text = out;
    return count;
}

struct BlockSpec {
    icu::UnicodeString styles;
    icu::UnicodeString attributes;
    bool ok = true;
};

void readAlignment(icu::UnicodeString& signature, BlockSpec& out) {
    bool left = removeAll(signature, u'<') > 0;
    bool right = removeAll(signature, u'>') > 0;
    bool center = removeAll(signature, u'=') > 0;
    if (left && right)
        out.styles += u"text-align:justify;";
    else if (left)
        out.styles += u"text-align:left;";
    else if (right)
        out.styles += u"text-align:right;";
    else if (center)
        out.styles += u"text-align:center;";
}

// False when the signature holds "[]", which ends the reading early.
bool readLanguage(icu::UnicodeString& signature, BlockSpec& out) {
    int32_t open = signature.indexOf(u'[');
    int32_t close = signature.indexOf(u']');
    if (signature.isEmpty() || open < 0 || close <= open)
        return true;
    icu::UnicodeString part(signature, open, close - open + 1);
    if (part.length() > 2) {
        out.attributes += engine::formatted(u"lang=\"%@\" ",
                                            {engine::escapedAttributeValue(icu::UnicodeString(part, 1, part.length() - 2))});
        engine::replaceAllLiteral(signature, part, u"");
        return true;
    }
    out.ok = false;
    return false;
}

void readStyle(icu::UnicodeString& signature, BlockSpec& out) {
    if (signature.isEmpty())
        return;
    int32_t open = signature.indexOf(u'{');
    int32_t close = signature.indexOf(u'}');
    if (open < 0 && close < 0)
        return;
    if (open < 0 || close < 0) {
        out.ok = false;
        engine::log(u"FEHLER 1");
        return;
    }
    if (close < open + 2) {
        out.ok = false;
        return;
    }
    icu::UnicodeString part(signature, open, close - open + 1);
    out.styles += icu::UnicodeString(part, 1, part.length() - 2);
    engine::replaceAllLiteral(signature, part, u"");
}

void readClassAndId(icu::UnicodeString& signature, BlockSpec& out) {
    if (auto m = engine::findFirst(signature, u"\\(#(.*?)\\)")) {
        out.attributes += engine::formatted(u"id=\"%@\"", {engine::escapedAttributeValue(m->text(1))});
        signature.remove(m->start(), m->end() - m->start());
    } else if (auto m = engine::findFirst(signature, u"\\((.*?)#(.*?)\\)")) {
        icu::UnicodeString inner(m->text(), 1, m->text().length() - 2);
        auto pieces = engine::split(inner, u"#");
        out.attributes += engine::formatted(u"class=\"%@\" id=\"%@\"", {engine::escapedAttributeValue(pieces[0]),
                                                                        engine::escapedAttributeValue(pieces[1])});
        signature.remove(m->start(), m->end() - m->start());
    } else if (auto m = engine::findFirst(signature, u"\\((.+)\\)")) {
        // From the first "(" to the last ")": one greedy run, which finds the
        // same class as a nested repetition without its exponential retries.
        // "()" holds no class: it is padding on both sides.
        out.attributes += engine::formatted(u"class=\"%@\"", {engine::escapedAttributeValue(m->text(1))});
        signature.remove(m->start(), m->end() - m->start());
    }
}

void readPadding(icu::UnicodeString& signature, BlockSpec& out) {
    if (!out.ok || signature.isEmpty())
        return;
    int32_t left = removeAll(signature, u'(');
    int32_t right = removeAll(signature, u')');
    if (!signature.isEmpty()) {
        out.ok = false;
        return;
    }
    if (left > 0)
        out.styles += engine::formatted(u"padding-left:%@em;", {engine::number(left)});
    if (right > 0)
        out.styles += engine::formatted(u"padding-right:%@em;", {engine::number(right)});
}

// The attribute string of one signature, or nothing when it does not parse.
std::optional<icu::UnicodeString> blockAttributes(const icu::UnicodeString& sig, const icu::UnicodeString& tag) {
    icu::UnicodeString signature(sig, tag.length(), sig.length() - tag.length() - 2);
    BlockSpec out;
    readAlignment(signature, out);
    if (readLanguage(signature, out))
        readStyle(signature, out);
    readClassAndId(signature, out);
    readPadding(signature, out);
    if (!out.ok) {
        engine::log(u"F\u00FCgen nicht hinzu %@", {sig});
        return std::nullopt;
    }
    if (out.styles.isEmpty())
        return engine::trimmed(out.attributes);
    return engine::trimmed(
        engine::formatted(u"style=\"%@\" %@", {engine::escapedAttributeValue(out.styles), out.attributes}));
}

}  // namespace

std::optional<icu::UnicodeString> TextileConverter::attributesOfSignature(const icu::UnicodeString& signature,
                                                                      const icu::UnicodeString& tag) {
    return blockAttributes(signature, tag);
}

void TextileConverter::preBlockTransform() {
    for (const RuleRecord& record : blockAttributesTransformRegex) {
        // A signature stands at a line start, so only its tag's places are tried.
        engine::RegexResult result;
        auto matches = engine::findAllAt(str, record.pattern, engine::atOpenings(record.pattern, engine::kNoOptions),
                                         engine::kNoOptions, &result);
        if (result.status == engine::RegexStatus::invalidPattern)
            engine::log(u"Error for Pattern %@ - %@", {record.pattern, result.error});
        if (!matches || matches->empty())
            continue;
        std::vector<engine::RangeEdit> edits;
        for (const engine::Match& match : *matches) {
            auto attributes = blockAttributes(match.text(), record.blockTag);
            if (!attributes)
                continue;
            icu::UnicodeString marked =
                engine::formatted(u"%@. \u00A7\u00A7%@\u00A7\u00A7", {record.blockTag, *attributes});
            attributeMarkerOrigins_.emplace(marked, match.text());
            edits.push_back({match.start(), match.end(), marked});
        }
        engine::applyRangeEdits(str, std::move(edits));
    }
}

void TextileConverter::performAddAttributesToBlocks() {
    replaceMatchesWithPattern(u">\u00A7\u00A7(.*?)\u00A7\u00A7", u" $1>", false);
    restoreUnusedAttributeMarkers();
}

// A marked signature that no block took (inside a code block, or under a
// text line) goes back to what the author wrote, so no marker shows.
void TextileConverter::restoreUnusedAttributeMarkers() {
    if (attributeMarkerOrigins_.empty() || str.indexOf(kMarkerSign) < 0)
        return;
    auto matches = matchesForPattern(u"(?:h[1-6]|p|bq|bc|pre)\\. \u00A7\u00A7.*?\u00A7\u00A7");
    if (!matches)
        return;
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& match : *matches) {
        auto origin = attributeMarkerOrigins_.find(match.text());
        if (origin == attributeMarkerOrigins_.end())
            continue;
        edits.push_back({match.start(), match.end(), origin->second});
        attributeMarkerOrigins_.erase(origin);
    }
    engine::applyRangeEdits(str, std::move(edits));
}

TextileConverter::Attributes TextileConverter::checkAttributesOnString(const icu::UnicodeString& text, bool onText) {
    Attributes result;
    icu::UnicodeString t(text);
    icu::UnicodeString alignment;
    if (!t.isEmpty()) {
        static const char16_t* const onTextAlign[] = {u"text-align:center;", u"text-align:left;", u"text-align:right;"};
        static const char16_t* const onImageAlign[] = {u"align-center", u"align-left", u"align-right"};
        int32_t which = icu::UnicodeString(u"=<>").indexOf(t.charAt(0));
        if (which >= 0) {
            alignment = onText ? onTextAlign[which] : onImageAlign[which];
            t.remove(0, 1);
        }
    }

    // Class and style, in either order, each at most once; both are written
    // into attributes, escaped.
    icu::UnicodeString cssClass;
    icu::UnicodeString style;
    auto takeEnclosed = [&t](char16_t open, char16_t close, icu::UnicodeString& into) {
        int32_t end = t.indexOf(close);
        if (!t.startsWith(icu::UnicodeString(open)) || end < 0)
            return false;
        into = icu::UnicodeString(t, 1, end - 1);
        t.remove(0, end + 1);
        return true;
    };
    const icu::UnicodeString unread(t);
    if (t.startsWith(u"(")) {
        if (takeEnclosed(u'(', u')', cssClass))
            takeEnclosed(u'{', u'}', style);
    } else if (t.startsWith(u"{")) {
        if (takeEnclosed(u'{', u'}', style))
            takeEnclosed(u'(', u')', cssClass);
    }
    // Attributes apply only to text that follows them: "(aside)" alone is
    // the text itself.
    if (t.isEmpty()) {
        t = unread;
        cssClass.remove();
        style.remove();
    }

    // An image's attributes may end like a block signature's: "(pic). a.png".
    if (!onText && !t.isEmpty() && t.length() < unread.length() && t.startsWith(u". "))
        t.remove(0, 2);
    // A title closes the text; brackets inside an address are the address's.
    int32_t open = t.lastIndexOf(u'(');
    if (open > 0 && t.endsWith(u")")) {
        result.display = icu::UnicodeString(t, 0, open);
        const icu::UnicodeString title =
            engine::escapedAttributeValue(icu::UnicodeString(t, open + 1, t.length() - open - 2));
        result.title = engine::formatted(u" title=\"%@\"", {title});
        result.alt = engine::formatted(u" alt=\"%@\"", {title});
    } else {
        result.display = t;
    }

    cssClass = engine::escapedAttributeValue(cssClass);
    style = engine::escapedAttributeValue(style);
    if (!alignment.isEmpty() && !onText)
        result.cssClass = cssClass.isEmpty() ? engine::formatted(u" class=\"%@\"", {alignment})
                                             : engine::formatted(u" class=\"%@ %@\"", {cssClass, alignment});
    else if (!cssClass.isEmpty())
        result.cssClass = engine::formatted(u" class=\"%@\"", {cssClass});
    if (!alignment.isEmpty() && onText)
        result.style = style.isEmpty() ? engine::formatted(u" style=\"%@\"", {alignment})
                                       : engine::formatted(u" style=\"%@ %@\"", {style, alignment});
    else if (!style.isEmpty())
        result.style = engine::formatted(u" style=\"%@\"", {style});
    return result;
}
