#pragma once
// The one oracle for every fast path: whatever a fast search or a walk
// finds must be what ICU's own search of the pattern finds, match for match
// (groups included), and replacing must give the same text.

#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unicode/unistr.h>

#include "TestSupport.h"
#include "engine/MatchSteps.h"
#include "engine/Regex.h"

namespace testsupport {

// Matches as comparable lines: range and text of every group.
inline std::vector<std::string> described(const std::optional<std::vector<engine::Match>>& matches) {
    if (!matches)
        return {"failed"};
    std::vector<std::string> out;
    for (const engine::Match& match : *matches) {
        std::string line;
        for (int g = 0; g <= match.groupCount(); ++g)
            line += std::to_string(match.start(g)) + "-" + std::to_string(match.end(g)) + "=" + s(match.text(g)) + "|";
        out.push_back(line);
    }
    return out;
}

// A fast search of a text, and the candidates of a producer for a text.
using FastSearch = std::function<std::optional<std::vector<engine::Match>>(const icu::UnicodeString& text)>;
using Producer = std::function<std::unique_ptr<engine::Candidates>(const icu::UnicodeString& text)>;

// The fast search must find what findAll finds. With a producer, replacing
// through it must also give what replaceAll gives.
inline void expectSameAsPattern(const icu::UnicodeString& text, const icu::UnicodeString& pattern, uint32_t options,
                                const FastSearch& fast, const std::string& label) {
    EXPECT_EQ(described(fast(text)), described(engine::findAll(text, pattern, options)))
        << label << " / " << s(pattern) << " in \"" << s(text) << "\"";
}

inline void expectSameAsPattern(const icu::UnicodeString& text, const icu::UnicodeString& pattern, uint32_t options,
                                const Producer& producer, const std::string& label) {
    expectSameAsPattern(
        text, pattern, options,
        [&](const icu::UnicodeString& t) { return engine::findAllAt(t, pattern, producer(t), options); }, label);
    icu::UnicodeString fast(text);
    icu::UnicodeString plain(text);
    engine::replaceAllAt(fast, pattern, u"<$0>", producer(text), options);
    engine::replaceAll(plain, pattern, u"<$0>", options);
    EXPECT_EQ(s(fast), s(plain)) << label << " / " << s(pattern) << " in \"" << s(text) << "\"";
}

// A walk that gives the whole matches only.
inline void expectSameSpansAsPattern(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                     uint32_t options, const std::vector<engine::TextRange>& walked,
                                     const std::string& label) {
    std::vector<std::string> found;
    for (const engine::TextRange& range : walked)
        found.push_back(std::to_string(range.start) + "-" + std::to_string(range.end));
    std::vector<std::string> expected;
    for (const engine::Match& match : engine::findAll(text, pattern, options).value_or(std::vector<engine::Match>{}))
        expected.push_back(std::to_string(match.start()) + "-" + std::to_string(match.end()));
    EXPECT_EQ(found, expected) << label << " / " << s(pattern) << " in \"" << s(text) << "\"";
}

// A walk that rewrites the text: it must leave what replacing every match
// of the pattern by the template leaves.
inline void expectSameTextAsPattern(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                    const icu::UnicodeString& replacementTemplate, uint32_t options,
                                    const std::function<void(icu::UnicodeString&)>& walk, const std::string& label) {
    icu::UnicodeString walked(text);
    walk(walked);
    icu::UnicodeString plain(text);
    engine::replaceAll(plain, pattern, replacementTemplate, options);
    EXPECT_EQ(s(walked), s(plain)) << label << " / " << s(pattern) << " in \"" << s(text) << "\"";
}

// A text of up to `maxPieces` pieces drawn from `pieces` (UTF-8).
inline icu::UnicodeString randomText(std::mt19937& random, const std::vector<std::string>& pieces, int maxPieces) {
    std::string text;
    const int length = static_cast<int>(random() % static_cast<unsigned>(maxPieces + 1));
    for (int i = 0; i < length; ++i)
        text += pieces[random() % pieces.size()];
    return u(text);
}

}  // namespace testsupport
