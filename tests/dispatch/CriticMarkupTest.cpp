#include <gtest/gtest.h>

#include "dispatch/MarkupTransformTask.h"
#include "settings/SettingsStore.h"

namespace {

struct CriticStyles : ::testing::Test {
    void SetUp() override {
        SettingsStore& store = SettingsStore::shared();
        store.registerDefaults();
        store.setUseBuiltInConverters(true);
        store.setCriticAddStyle("A");
        store.setCriticRemoveStyle("R");
        store.setCriticCommentStyle("C");
        store.setCriticHighlightStyle("H");
    }
    void TearDown() override {
        for (SettingsStore::Setting key : {SettingsStore::Setting::criticAddStyle, SettingsStore::Setting::criticRemoveStyle, SettingsStore::Setting::criticCommentStyle,
                                SettingsStore::Setting::criticHighlightStyle, SettingsStore::Setting::useBuiltInConverters})
            SettingsStore::shared().reset(key);
    }
    static QString render(const QString& text) {
        return MarkupTransformTask::convertAdditionalCriticsInText(
            MarkupTransformTask::saveCriticsMarkupsPriorMarkupTranversion(text));
    }
};

}  // namespace

TEST_F(CriticStyles, FirstStepLeavesNeutralMarkers) {
    EXPECT_EQ(MarkupTransformTask::saveCriticsMarkupsPriorMarkupTranversion(
                  "{++a++} {--b--} {~~c~>d~~} {>>e<<} {==f==}"),
              QString::fromUtf8("{%%a%%} {$$b%%} {$$c➔d%%} {>>e%%} {;;f%%}"));
}

TEST_F(CriticStyles, EachFormBecomesItsSpan) {
    EXPECT_EQ(render("{++a++}"), "<span style='A'>a</span>");
    EXPECT_EQ(render("{--b--}"), "<span style='R'>b</span>");
    EXPECT_EQ(render("{>>e<<}"), "<span style='C'>e</span>");
    EXPECT_EQ(render("{==f==}"), "<span style='H'>f</span>");
}

TEST_F(CriticStyles, SubstitutionArrowStandsBetweenTheSpans) {
    EXPECT_EQ(render("{~~old~>new~~}"),
              QString::fromUtf8("<span style='R'>old</span> ➔ <span style='A'>new</span>"));
}

TEST_F(CriticStyles, ArrowTypedOutsideASubstitutionAlsoBecomesAJoint) {
    EXPECT_EQ(render(QString::fromUtf8("a ➔ b")), QString::fromUtf8("a </span> ➔ <span style='A'> b"));
}

TEST_F(CriticStyles, EscapedCommentOpeningStillRenders) {
    EXPECT_EQ(MarkupTransformTask::convertAdditionalCriticsInText("{&gt;&gt;note%%}"), "<span style='C'>note</span>");
}

TEST_F(CriticStyles, OffMeansDelimitersReachTheConverterUntouched) {
    EXPECT_EQ(MarkupTransformTask::transformString("{++a++}", "html", false), "{++a++}");
    EXPECT_EQ(MarkupTransformTask::transformString("[b]{++a++}[/b]", "bbcode", true),
              "<strong><span style='A'>a</span></strong><br />\n\n");
}

// Before the preferences were ever opened the four styles are absent; the
// marks still look like review marks, a deletion never like kept text.
TEST(CriticMarkupWithoutStyles, AbsentStylesFallBackToThePaneDefaults) {
    const QString deletion = MarkupTransformTask::convertAdditionalCriticsInText("{$$gone%%}");
    EXPECT_EQ(deletion, "<span style='background-color:red; text-decoration: line-through;color: white;"
                        "font-weight: bold;padding: 0px 6px 0px 6px;'>gone</span>");
    EXPECT_TRUE(MarkupTransformTask::convertAdditionalCriticsInText("{%%new%%}").contains("background-color:yellow"));
    // A style the user emptied on purpose stays empty.
    SettingsStore::shared().setCriticAddStyle("");
    EXPECT_EQ(MarkupTransformTask::convertAdditionalCriticsInText("{%%a%%}"), "<span style=''>a</span>");
    SettingsStore::shared().reset(SettingsStore::Setting::criticAddStyle);
}
