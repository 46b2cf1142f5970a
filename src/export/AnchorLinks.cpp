#include "export/AnchorLinks.h"

#include <QLoggingCategory>
#include <memory>
#include <unicode/regex.h>

#include "export/IcuText.h"

Q_DECLARE_LOGGING_CATEGORY(exportLog)

namespace anchorlinks {

QString undoJavaScriptAnchors(const QString& html) {
    // The anchor name never holds a quote, so the match cannot run past the
    // end of its own onclick attribute.
    static const char16_t* const kPattern =
        u"href=\"javascript:;\" onclick=\"document\\.location\\.hash='([^'\"]*)';\"";
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexPattern> pattern(icu::RegexPattern::compile(icu::UnicodeString(kPattern), 0, status));
    if (U_FAILURE(status))
        return html;
    const icu::UnicodeString text = icutext::toIcu(html);
    std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(text, status));
    const icu::UnicodeString replaced = matcher->replaceAll(icu::UnicodeString(u"href=\"#$1\""), status);
    if (U_FAILURE(status)) {
        qCWarning(exportLog) << "anchor links kept:" << u_errorName(status);
        return html;
    }
    return icutext::fromIcu(replaced);
}

}  // namespace anchorlinks
