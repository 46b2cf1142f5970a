// Bulleted and numbered lists ("* ", "# ", nested by repeating the marker)
// and definition lists ("- term := definition").
#include "textile/TextileConverter.h"

#include <unicode/uchar.h>

#include "engine/MatchSteps.h"
#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"

namespace {

icu::UnicodeString indentation(int32_t level) {
    icu::UnicodeString tabs;
    for (int32_t i = 0; i < level; ++i)
        tabs.append(u'\t');
    return tabs;
}

std::vector<icu::UnicodeString> lines(const icu::UnicodeString& text) {
    std::vector<icu::UnicodeString> out;
    int32_t from = 0;
    for (int32_t i = 0; i <= text.length(); ++i) {
        if (i == text.length() || text.charAt(i) == u'\n' || text.charAt(i) == u'\r') {
            out.emplace_back(text, from, i - from);
            from = i + 1;
        }
    }
    return out;
}

// An item's head: its markers, attributes ("(warn)", "{color:red}",
// "[en]") and, on a numbered list, a first number ("#5") or "_" to go on
// counting from the list before.
const icu::UnicodeString kItemHead =
    u"^([*#]+)(" + TextileConverter::listItemAttributesPattern() + u")([0-9]+|_)?(?=[ \\t])";

struct Item {
    int32_t depth = 0;
    bool numbered = false;
    icu::UnicodeString attributes;  // as a signature reads them, " class=…"
    icu::UnicodeString start;       // the first number, "_" or nothing
    icu::UnicodeString content;
};

std::optional<Item> itemOf(const icu::UnicodeString& line) {
    int32_t markers = 0;
    while (markers < line.length() && (line[markers] == u'*' || line[markers] == u'#'))
        ++markers;
    if (markers == 0 || markers == line.length())
        return std::nullopt;
    if (line[markers] == u' ' || line[markers] == u'\t') {
        // Most items: markers and a space, read without the pattern.
        return Item{markers, line[markers - 1] == u'#', {}, {}, icu::UnicodeString(line, markers)};
    }
    auto head = engine::findFirst(line, kItemHead);
    if (!head)
        return std::nullopt;
    Item item;
    item.depth = head->text(1).length();
    item.numbered = head->text(1).endsWith(u"#");
    if (!head->text(2).isEmpty()) {
        auto read = TextileConverter::attributesOfSignature(u"p" + head->text(2) + u". ", u"p");
        if (!read)
            return std::nullopt;
        if (!read->isEmpty())
            item.attributes = u" " + *read;
    }
    if (head->took_part(3)) {
        if (!item.numbered)
            return std::nullopt;
        item.start = head->text(3);
    }
    item.content = icu::UnicodeString(line, head->end());
    return item;
}

int64_t firstNumber(const icu::UnicodeString& digits) {
    int64_t value = 0;
    for (int32_t i = 0; i < digits.length() && value < 1000000000; ++i)
        value = value * 10 + (digits[i] - u'0');
    return value;
}

// The id of an attribute string goes on the item, the rest on a list that
// the item opens.
void splitId(const icu::UnicodeString& attributes, icu::UnicodeString& forList, icu::UnicodeString& forItem) {
    forList = attributes;
    if (auto id = engine::findFirst(attributes, u" ?\\bid=\"[^\"]*\"")) {
        forItem = u" " + engine::trimmed(id->text());
        forList.remove(id->start(), id->end() - id->start());
    }
}

class ListWriter {
public:
    ListWriter(const icu::UnicodeString& htmlClose, int64_t& nextNumber)
        : htmlClose_(htmlClose), nextNumber_(nextNumber) {}

    icu::UnicodeString write(const icu::UnicodeString& block);

private:
    struct Level {
        int32_t depth;
        bool numbered;
    };
    void item(const Item& item);
    void open(const Item& item);
    void close();
    int32_t level() const { return static_cast<int32_t>(levels_.size()); }

    const icu::UnicodeString& htmlClose_;
    int64_t& nextNumber_;
    icu::UnicodeString out_;
    std::vector<Level> levels_;
    int64_t topItems_ = 0;
};

icu::UnicodeString ListWriter::write(const icu::UnicodeString& block) {
    for (const icu::UnicodeString& line : lines(block)) {
        if (line.isEmpty())
            continue;
        // A line that opens no item continues the item above.
        std::optional<Item> read = itemOf(line);
        if (!read) {
            out_ += engine::formatted(u"<br%@%@", {htmlClose_, line});
            continue;
        }
        item(*read);
    }
    if (!levels_.empty() && levels_.front().numbered)
        nextNumber_ += topItems_;
    while (!levels_.empty())
        close();
    out_ += u"\n\n";
    return out_;
}

void ListWriter::item(const Item& item) {
    if (levels_.empty() || item.depth > levels_.back().depth) {
        open(item);
        return;
    }
    // Back out to the list whose depth fits best; a line less deep than any
    // open list joins the outermost.
    while (level() > 1 && levels_[levels_.size() - 2].depth >= item.depth)
        close();
    if (levels_.back().numbered != item.numbered) {
        close();
        open(item);
        return;
    }
    if (level() == 1)
        ++topItems_;
    out_ += engine::formatted(u"</li>\n%@<li%@>%@", {indentation(level()), item.attributes, item.content});
}

void ListWriter::open(const Item& item) {
    icu::UnicodeString listAttributes, itemAttributes;
    splitId(item.attributes, listAttributes, itemAttributes);
    if (level() == 0 && item.numbered) {
        if (item.start != u"_")
            nextNumber_ = item.start.isEmpty() ? 1 : firstNumber(item.start);
        if (nextNumber_ != 1)
            listAttributes += engine::formatted(u" start=\"%@\"", {engine::number(nextNumber_)});
    }
    if (level() == 0)
        topItems_ = 1;
    out_ += engine::formatted(u"\n%@<%@%@>\n%@<li%@>%@",
                              {indentation(level()), item.numbered ? u"ol" : u"ul", listAttributes,
                               indentation(level() + 1), itemAttributes, item.content});
    levels_.push_back({item.depth, item.numbered});
}

// Closes the innermost list's last item and the list.
void ListWriter::close() {
    const bool numbered = levels_.back().numbered;
    levels_.pop_back();
    out_ += engine::formatted(u"</li>\n%@</%@>", {indentation(level()), numbered ? u"ol" : u"ul"});
}

}  // namespace

void TextileConverter::performLists() {
    // A list starts where a marker starts a line (the empty line in front
    // may be taken with it); a table cell or a line of prose that merely
    // holds "* " further on is no list.
    auto matches = findLists(str);
    if (!matches)
        return;
    std::vector<engine::RangeEdit> edits;
    int64_t nextNumber = 1;
    for (const engine::Match& match : *matches)
        edits.push_back({match.start(), match.end(), ListWriter(HTML_close, nextNumber).write(match.text())});
    engine::applyRangeEdits(str, std::move(edits));
}

void TextileConverter::performDefinitionLists() {
    std::vector<engine::RangeEdit> edits;
    for (const engine::TextRange& match : definitionListRanges(str)) {
        icu::UnicodeString html(u"\n<dl>\n");
        const icu::UnicodeString text(str, match.start, match.end - match.start);
        // Terms without a definition share the next one's.
        icu::UnicodeString terms;
        for (const icu::UnicodeString& rawPiece : engine::split(text, u"- ")) {
            icu::UnicodeString piece = engine::trimmed(rawPiece);
            if (piece.isEmpty())
                continue;
            auto parts = engine::split(piece, u":=");
            if (parts.size() == 1)
                terms += engine::formatted(u"\t<dt>%@</dt>\n", {piece});
            if (parts.size() != 2)
                continue;
            icu::UnicodeString definition = parts[1];
            if (int32_t at = definition.lastIndexOf(u"=:"); at >= 0)
                definition.remove(at, 2);
            definition = engine::trimmed(definition);
            engine::replaceAllLiteral(definition, u"\n", engine::formatted(u"<br%@", {HTML_close}));
            html += terms + engine::formatted(u"\t<dt>%@</dt>\n\t<dd>%@</dd>\n", {engine::trimmed(parts[0]), definition});
            terms.remove();
        }
        html += u"</dl>\n\n";
        edits.push_back({match.start, match.end, html});
    }
    engine::applyRangeEdits(str, std::move(edits));
}
