// Named notes: references "[#name]", definitions "note#name. text" and the
// lists that "notelist." lines place.
#include "textile/TextileConverter.h"

#include <algorithm>
#include <map>

#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"

namespace {

struct Note {
    int64_t mainID = 0;
    int64_t displayID = 0;
    std::vector<int64_t> backLinks;
};

struct ListEntry {
    std::vector<icu::UnicodeString> backlinks;
    icu::UnicodeString main;
};

struct Variant {
    const char16_t* marker;
    bool backlinks;
    bool oneBacklink;
    bool unreferenced;
};

constexpr Variant kVariants[] = {
    {u"notelist.", true, false, false},  {u"notelist!.", false, false, false},
    {u"notelist+.", true, false, true},  {u"notelist!+.", false, false, true},
    {u"notelist^.", true, true, false},  {u"notelist^+.", true, true, true},
};

class NoteListBuilder {
public:
    NoteListBuilder(icu::UnicodeString& str, const icu::UnicodeString& hashStart, const icu::UnicodeString& hashEnd)
        : str_(str), hashStart_(hashStart), hashEnd_(hashEnd) {}

    void references();
    void definitions();
    void undefinedNotes();
    void lists();

private:
    icu::UnicodeString backLink(const icu::UnicodeString& name, int64_t target, size_t index) const;
    std::vector<icu::UnicodeString> backLinksOf(const icu::UnicodeString& name, const Note& note) const;

    icu::UnicodeString& str_;
    const icu::UnicodeString& hashStart_;
    const icu::UnicodeString& hashEnd_;
    std::map<icu::UnicodeString, Note> notes_;
    std::map<int64_t, ListEntry> entries_;  // by display number, written in that order
    std::vector<icu::UnicodeString> unreferenced_;
    int64_t displayCounter_ = 1;
    int64_t anchorCounter_ = 1;
};

void NoteListBuilder::references() {
    std::vector<engine::Match> refs;
    for (const char16_t* pattern : {u"\\[\\#([a-zA-Z0-9\\-\\$\\\u00A7\\_\\+]{1,})[\\!]{0,1}\\]",
                                    u"\\[\\([a-zA-Z0-9]{1,}\\)\\#([a-zA-Z0-9\\-\\$\\\u00A7\\_\\+]{1,})[\\!]{0,1}\\]"})
        if (auto found = engine::findAll(str_, pattern))
            refs.insert(refs.end(), found->begin(), found->end());
    // Met from the last to the first; identical references are written in
    // text order, the first occurrence taking the first number given out.
    std::stable_sort(refs.begin(), refs.end(),
                     [](const engine::Match& a, const engine::Match& b) { return a.start() > b.start(); });
    std::map<icu::UnicodeString, std::vector<icu::UnicodeString>> htmlByText;
    for (const engine::Match& ref : refs) {
        const icu::UnicodeString& t = ref.text();
        bool link = !t.endsWith(u"!]");
        icu::UnicodeString cls;
        icu::UnicodeString name;
        if (t.charAt(1) == u'(') {
            int32_t at = t.indexOf(u")#");
            cls = icu::UnicodeString(t, 2, at - 2);
            name = icu::UnicodeString(t, at + 2);
        } else {
            name = icu::UnicodeString(t, 2);
        }
        name.truncate(name.length() - (link ? 1 : 2));

        int64_t referenceNumber;
        auto found = notes_.find(name);
        if (found == notes_.end()) {
            referenceNumber = anchorCounter_ + 1;
            found = notes_.emplace(name, Note{anchorCounter_, displayCounter_, {referenceNumber}}).first;
            displayCounter_ += 1;
            anchorCounter_ += 2;
        } else {
            referenceNumber = anchorCounter_;
            found->second.backLinks.push_back(referenceNumber);
            anchorCounter_ += 1;
        }
        const Note& note = found->second;
        icu::UnicodeString opening = link ? engine::formatted(u"<a href=\"%@note-%@-%@%@\">",
                                                              {hashStart_, name, engine::number(note.mainID), hashEnd_})
                                          : icu::UnicodeString();
        icu::UnicodeString closing = link ? u"</a>" : u"";
        icu::UnicodeString classAttribute = cls.isEmpty() ? icu::UnicodeString() : engine::formatted(u" class=\"%@\"", {cls});
        htmlByText[t].push_back(engine::formatted(
            u"<sup%@>%@<span id=\"note-%@-%@\">%@</span>%@</sup>",
            {classAttribute, opening, name, engine::number(referenceNumber), engine::number(note.displayID), closing}));
    }
    std::sort(refs.begin(), refs.end(),
              [](const engine::Match& a, const engine::Match& b) { return a.start() < b.start(); });
    std::map<icu::UnicodeString, size_t> used;
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& ref : refs)
        edits.push_back({ref.start(), ref.end(), htmlByText[ref.text()][used[ref.text()]++]});
    engine::applyRangeEdits(str_, std::move(edits));
}

icu::UnicodeString NoteListBuilder::backLink(const icu::UnicodeString& name, int64_t target, size_t index) const {
    static const icu::UnicodeString letters(u"abcdefghijklmnopqrstuvwxyz");
    // Past the alphabet the back link shows its position instead of a letter.
    icu::UnicodeString label = index < 26 ? icu::UnicodeString(letters.charAt(static_cast<int32_t>(index)))
                                          : engine::number(static_cast<int64_t>(index) + 1);
    return engine::formatted(u"<a href=\"%@note-%@-%@%@\">%@</a>", {hashStart_, name, engine::number(target), hashEnd_, label});
}

std::vector<icu::UnicodeString> NoteListBuilder::backLinksOf(const icu::UnicodeString& name, const Note& note) const {
    std::vector<icu::UnicodeString> links;
    for (size_t i = 0; i < note.backLinks.size(); ++i)
        links.push_back(backLink(name, note.backLinks[i], i));
    return links;
}

void NoteListBuilder::definitions() {
    auto matches = engine::findAll(str_, u"note\\#([a-zA-Z0-9\\-\\$\\\u00A7\\_\\+]{1,})\\. (.*?)\n\n");
    if (!matches)
        return;
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& match : *matches) {
        const icu::UnicodeString& d = match.text();
        int32_t p = d.indexOf(u". ");
        icu::UnicodeString name(d, 5, p - 5);
        icu::UnicodeString text(d, p + 2, d.length() - p - 4);
        if (auto found = notes_.find(name); found != notes_.end()) {
            const Note& note = found->second;
            entries_[note.displayID] = {backLinksOf(name, note),
                                        engine::formatted(u"<span id=\"note-%@-%@\"> </span>%@</li>",
                                                          {name, engine::number(note.mainID), text})};
            notes_.erase(found);
        } else {
            unreferenced_.push_back(engine::formatted(u"<li>%@</li>", {text}));
        }
        edits.push_back({match.start(), match.end(), {}});
    }
    engine::applyRangeEdits(str_, std::move(edits));
}

void NoteListBuilder::undefinedNotes() {
    for (const auto& [name, note] : notes_)
        entries_[note.displayID] = {backLinksOf(name, note),
                                    engine::formatted(u" Undefined Note [#%@].</li>", {engine::number(note.displayID)})};
}

void NoteListBuilder::lists() {
    for (const Variant& variant : kVariants) {
        icu::UnicodeString marker(variant.marker);
        int32_t at = str_.indexOf(u"\n" + marker + u"\n");
        if (at < 0)
            continue;
        icu::UnicodeString list(u"<ol>\n");
        for (const auto& [display, entry] : entries_) {
            icu::UnicodeString links;
            if (variant.backlinks && !entry.backlinks.empty()) {
                if (variant.oneBacklink) {
                    links = engine::formatted(u"<sup>%@</sup>", {entry.backlinks.front()});
                } else {
                    links = u"<sup>";
                    for (const auto& link : entry.backlinks)
                        links += link + u" ";
                    links += u"</sup>";
                }
            }
            list += engine::formatted(u"\t<li>%@%@\n", {links, entry.main});
        }
        if (variant.unreferenced)
            for (const auto& item : unreferenced_)
                list += engine::formatted(u"\t%@\n", {item});
        list += u"</ol>";
        str_.replace(at + 1, marker.length(), list);
    }
}

}  // namespace

void TextileConverter::performNoteLists() {
    NoteListBuilder builder(str, javaScriptHashStart, javaScriptHashEnd);
    builder.references();
    builder.definitions();
    builder.undefinedNotes();
    builder.lists();
}
