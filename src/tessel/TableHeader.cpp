#include "tessel/TableHeader.h"

#include <vector>

#include "engine/Regex.h"
#include "engine/TextUtilities.h"

namespace tessel {
namespace {

// The first "+" from the block's third character on closes the header.
int32_t headerEnd(const icu::UnicodeString& block) {
    int32_t end = block.indexOf(u'+', 2);
    return end < 0 ? block.length() : end;
}

}  // namespace

TableHeader parseTableHeader(const icu::UnicodeString& block) {
    // The character right after "+table" (normally a space) is skipped.
    constexpr int32_t kHeaderStart = 7;
    const int32_t end = headerEnd(block);
    icu::UnicodeString header = end > kHeaderStart ? icu::UnicodeString(block, kHeaderStart, end - kHeaderStart)
                                                   : icu::UnicodeString();
    TableHeader parsed;
    icu::UnicodeString separatorPart;
    std::vector<icu::UnicodeString> parts = engine::split(header, u"|");
    if (parts.size() >= 2 && parts.back().indexOf(u']') < 0) {
        // "[;]|border=\"1\"": attributes after the last "|".
        parsed.attributes = parts.back();
        parts.pop_back();
        separatorPart = engine::join(parts, u"|");
    } else if (header.startsWith(u"[")) {
        // "[|]": the "|" is the separator itself.
        separatorPart = header;
    } else {
        parsed.attributes = header;
    }
    if (!separatorPart.startsWith(u"["))
        return parsed;
    int32_t arrow = separatorPart.indexOf(u"]->");
    if (arrow >= 0) {
        parsed.separator = icu::UnicodeString(separatorPart, 1, arrow - 1);
        parsed.importName = engine::trimmed(icu::UnicodeString(separatorPart, arrow + 3));
    } else if (separatorPart.length() >= 2) {
        parsed.separator = icu::UnicodeString(separatorPart, 1, separatorPart.length() - 2);
    }
    return parsed;
}

icu::UnicodeString tableBody(const icu::UnicodeString& block) {
    const int32_t end = headerEnd(block);
    icu::UnicodeString body(block, end < block.length() ? end + 1 : end);
    engine::replaceAllLiteral(body, u"+endtable+", u"");
    return engine::trimmed(body);
}

}  // namespace tessel
