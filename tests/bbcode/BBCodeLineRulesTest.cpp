// The tag table runs line by line; on every document of the corpus and on
// texts built to hit its edges that must give exactly what applying the
// table rule after rule to the whole text gives.
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "bbcode/BBCodeConverter.h"
#include "engine/LineByLineRules.h"
#include "engine/TestSupport.h"

using testsupport::s;
using testsupport::u;

namespace {

void expectSameAsWholeText(const icu::UnicodeString& text, const std::string& label) {
    BBCodeConverter whole;
    whole.initWithString(u"");
    whole.str = text;
    whole.simpleTransform();
    icu::UnicodeString byLine(text);
    ASSERT_TRUE(engine::applyRulesLineByLine(byLine, whole.regexes));
    EXPECT_EQ(s(byLine), s(whole.str)) << label;
}

}  // namespace

TEST(BBCodeLineRules, GiveTheWholeTextResultOnEdgesOfTagsAndLines) {
    const char* texts[] = {
        "[b]bold[/b] [B]Bold[/B] [b]open\nclosed[/b] [i][b]x[/b][/i]",
        "[url=http://a/?x=[b]]label[/url] [url][/url] [quote=Name;42]said[/quote]",
        "[list]\n[*]one\n[*][b]two[/b]\n[/list][list=1][list=circle]",
        "[color=red][size=3]a[/size][/color] [style color=blue]b[/style]",
        "[img width=10 height=20]a.png[/img][img=3x4]b.png[/img][img]c.png[/img]",
        "[h1]t[/h2] [sup]a[/sub] [email=a@b]m[/mail] [thread=7]t[/thread] [post=9]p[/post]",
        "[code][b]kept?[/b][/code]\r\n[column][/column][highlight]h[/highlight][comment]c[/comment]",
        "no tags at all\n\n\n[",
        "[b][b][b][b][/b]",
        "",
    };
    for (const char* text : texts)
        expectSameAsWholeText(u(text), text);
}

TEST(BBCodeLineRules, GiveTheWholeTextResultOnEveryCorpusDocument) {
    const std::filesystem::path folder = std::filesystem::path(QUILL_CORPUS_DIR) / "bbcode";
    int documents = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream file(entry.path(), std::ios::binary);
        std::stringstream content;
        content << file.rdbuf();
        expectSameAsWholeText(u(content.str()), entry.path().filename().string());
        ++documents;
    }
    EXPECT_GT(documents, 0);
}

// Random lines of tag pieces: unclosed openings, closings before and after
// them, tags the patterns end with and line ends in between.
TEST(BBCodeLineRules, GiveTheWholeTextResultOnRandomLinesOfTagPieces) {
    const char* pieces[] = {"[b]", "[/b]", "[url=", "[url]", "]", "[/url]", "[img=1x2]", "[img]", "[/img]",
                            "[quote=a;", "[h1]", "[/h1]", "[mail=", "[/mail]", "a", " ", "\n", "\r", "[["};
    std::mt19937 random(5);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int length = 1 + static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i)
            text += pieces[random() % std::size(pieces)];
        expectSameAsWholeText(u(text), text);
    }
}
