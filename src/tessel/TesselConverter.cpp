#include "tessel/TesselConverter.h"

#include "engine/Log.h"
#include "engine/MatchSteps.h"
#include "engine/Regex.h"

namespace {

// "[![root]!]": the root that rooted links start from.
const icu::UnicodeString kDeclaration = uR"(\[\!\[(.*?)\]\!\])";

}  // namespace

TesselConverter::TesselConverter() = default;

TesselConverter& TesselConverter::initWithString(const icu::UnicodeString& string) {
    return initWithString(string, false);
}

TesselConverter& TesselConverter::initWithString(const icu::UnicodeString& string, bool javaScriptLinksOn) {
    setHTML5orXHTML();
    saveForLaterReturn = SavedPieces();
    useJavaScriptAnchors = javaScriptLinksOn;
    javaScriptHashStart = javaScriptLinksOn ? u"javascript:;\" onclick=\"document.location.hash='" : u"#";
    javaScriptHashEnd = javaScriptLinksOn ? u"';" : u"";

    // The first root declaration counts; it disappears wherever it stands.
    icu::UnicodeString text(string);
    icu::UnicodeString root;
    engine::RegexResult result;
    auto declarations = engine::findAllAt(text, kDeclaration, engine::atOpenings(kDeclaration, engine::kNoOptions),
                                          engine::kNoOptions, &result);
    if (!result.ok())
        engine::log(u"Tessel Init %@", {result.error});
    if (declarations && !declarations->empty()) {
        const icu::UnicodeString declaration = declarations->front().text();
        root = icu::UnicodeString(declaration, 3, declaration.length() - 6);
        engine::replaceAllLiteral(text, declaration, u"");
    }
    text += u"\n\n";
    ConverterBase::initWithString(text, regexTessel(root, javaScriptHashStart, javaScriptHashEnd));
    return *this;
}

void TesselConverter::setDocumentFolder(const std::string& utf8Path) {
    documentFolder_ = utf8Path;
}

icu::UnicodeString TesselConverter::transform() {
    importTableFiles();
    hideCriticMarkers();
    escapeCharacters();
    commentedText();
    saveRawHTMLBlocks();
    saveInlineHTML();
    saveURLsAndPaths();
    performHTMLEntities();
    applyRuleTable();
    tableOfContents();
    quoteCodeTagTransform();
    advancedReferences();
    tableTransfrom();
    listTransform();
    definitionListTransForm();
    returnSavedPieces();
    makeParagraphs();
    autoLineBreaks();
    returnSavedInlineHTML();
    returnSavedHTMLBlocks();
    resolveEscapedCharacters();
    showCriticMarkers();
    return str;
}

// The base class's block saving over the text up to the last "+endhtml+":
// no block can end later, and an unclosed "+html+" after it would cost a scan
// to the end of the text for each such opener.
void TesselConverter::saveRawHTMLBlocks() {
    const icu::UnicodeString endMarker(u"+endhtml+");
    const int32_t lastEnd = str.lastIndexOf(endMarker);
    if (lastEnd < 0)
        return;
    const int32_t cut = lastEnd + endMarker.length();
    const icu::UnicodeString rest(str, cut);
    str.truncate(cut);
    saveHTMLBlocksWithStart(uR"(\+html\+)", uR"(\+endhtml\+)", u"+html+", u"+endhtml+");
    fenceTokens(htmlBlocksEscaped);
    str += rest;
}

void TesselConverter::fenceTokens(const engine::PlaceholderTable& table) {
    icu::UnicodeString out;
    int32_t copiedUpTo = 0;
    for (const auto& entry : table.entries()) {
        const icu::UnicodeString token = table.tokenFor(entry.first);
        const int32_t at = str.indexOf(token, copiedUpTo);
        if (at < 0)
            continue;
        out.append(str, copiedUpTo, at - copiedUpTo).append(kTokenFence).append(token).append(kTokenFence);
        copiedUpTo = at + token.length();
    }
    str = out.append(str, copiedUpTo, str.length() - copiedUpTo);
}

std::vector<engine::Match> TesselConverter::blockMatches(const icu::UnicodeString& pattern,
                                                     const icu::UnicodeString& endMarker) const {
    const int32_t lastEnd = str.lastIndexOf(endMarker);
    if (lastEnd < 0)
        return {};
    engine::RegexResult result;
    auto matches = engine::findAll(icu::UnicodeString(str, 0, lastEnd + endMarker.length()), pattern,
                                   engine::kDotMatchesLineSeparators, &result);
    if (result.status == engine::RegexStatus::invalidPattern)
        engine::log(u"Error for Pattern %@ - %@", {pattern, result.error});
    return matches ? std::move(*matches) : std::vector<engine::Match>{};
}
