#include "wikitext/Wikitext_ObjC.h"

#include "engine/TextUtilities.h"

namespace {

RuleRecord regex(const char16_t* name, const char16_t* pattern, const icu::UnicodeString& templateText) {
    return RuleRecord::regex(name, pattern, templateText);
}

}  // namespace

RuleTable Wikitext_ObjC::regexWikiText() const {
    return {
        // Neither part may run past the "]" that closes the link, or a link
        // without a label would take the text up to the next bracket with it.
        regex(u"hyperlinkNamed", uR"(\[([^\]\n]*?) ([^\]\n]*?)\])",
              u"<a href=\"$1\" alt=\"$2\" title=\"$2\">$2</a>"),
        regex(u"hyperlinkUnNamed", uR"(\[(.*?)\])", u"<a href=\"$1\" alt=\"$1\" title=\"$1\">$1</a>"),
        // A bare address that is already the text of a link (written by the
        // rule above) stays as it is: the possessive tail cannot give back
        // characters to slip past the "</a>" check.
        regex(u"hyperlinkUnNamedBadStyle",
              uR"((?<!=\")(http[s]{0,1}:\/\/[a-zA-Z0-9-]?+\.?)(([a-zA-Z0-9-][a-zA-Z0-9-]+\.)+[a-zA-Z0-9-\.\/\_\?\%\#\&amp;\=\;\~\!\(\)]++)(?!</a>))",
              u"<a href=\"$1$2\">$1$2</a>"),
        regex(u"boldItalic", uR"(\'\'\'\'\'(.*?)\'\'\'\'\')", u"<strong><em>$1</em></strong>"),
        regex(u"bold", uR"(\'\'\'(.*?)\'\'\')", u"<strong>$1</strong>"),
        regex(u"inverseRegular", uR"(\'\'(.*?)\'\')", u"<em>$1</em>"),
        regex(u"horizontalLine", uR"(\-{4,})", engine::formatted(u"<hr%@", {HTML_close})),
        regex(u"headline5", uR"((?m)^[=]{6,6}(.*?)[=]{6,6}$)", u"<h5>$1</h5>"),
        regex(u"headline4", uR"((?m)^[=]{5,5}(.*?)[=]{5,5}$)", u"<h4>$1</h4>"),
        regex(u"headline3", uR"((?m)^[=]{4,4}(.*?)[=]{4,4}$)", u"<h3>$1</h3>"),
        regex(u"headline2", uR"((?m)^[=]{3,3}(.*?)[=]{3,3}$)", u"<h2>$1</h2>"),
        regex(u"headline1", uR"((?m)^[=]{2,2}(.*?)[=]{2,2}$)", u"<h1>$1</h1>"),
    };
}
