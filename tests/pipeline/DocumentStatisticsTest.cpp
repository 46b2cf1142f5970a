// Counting words, characters and reading time of rendered text.
#include <gtest/gtest.h>

#include "pipeline/DocumentStatistics.h"

using documentstatistics::statisticsOf;

TEST(DocumentStatistics, WordsSkipSpacesAndPunctuation) {
    const auto statistics = statisticsOf("The quick brown fox jumps — over the lazy dog, twice!");
    EXPECT_EQ(statistics.words, 10);
    EXPECT_EQ(statistics.characters, 53);
}

TEST(DocumentStatistics, NumbersAndContractionsAreOneWordEach) {
    EXPECT_EQ(statisticsOf("Version 2.5 doesn't ship before 2024.").words, 6);
}

TEST(DocumentStatistics, LineBreaksBetweenBlocksAreNoCharacters) {
    const auto statistics = statisticsOf("Heading\n\nFirst line\r\nlast");
    EXPECT_EQ(statistics.words, 4);
    EXPECT_EQ(statistics.characters, 21);
}

TEST(DocumentStatistics, CharactersAreWhatTheReaderSees) {
    // e with a combining accent, a thumb with a skin tone, a flag.
    EXPECT_EQ(statisticsOf(QString::fromUtf8("cafe\xcc\x81 \xf0\x9f\x91\x8d\xf0\x9f\x8f\xbd \xf0\x9f\x87\xa9\xf0\x9f\x87\xaa")).characters, 8);
}

TEST(DocumentStatistics, ChineseWithoutSpacesCountsItsWords) {
    // "We are students. He is a teacher." ICU's dictionary segments
    // 我们 / 是 / 学生 / 他是 / 老师; the full stops are no words.
    const auto statistics = statisticsOf(QString::fromUtf8("我们是学生。他是老师。"));
    EXPECT_EQ(statistics.words, 5);
    EXPECT_EQ(statistics.characters, 11);
}

TEST(DocumentStatistics, JapaneseCountsWordsWithinARunOfKanaAndKanji) {
    // "I am a student": 私 / は / 学生 / です.
    EXPECT_EQ(statisticsOf(QString::fromUtf8("私は学生です。")).words, 4);
    EXPECT_EQ(statisticsOf(QString::fromUtf8("東京 Tokyo 大阪")).words, 3);
}

TEST(DocumentStatistics, ReadingTimeRoundsUpAtTwoHundredWordsAMinute) {
    EXPECT_EQ(statisticsOf("").readingMinutes, 0);
    EXPECT_EQ(statisticsOf(" \n , . ").readingMinutes, 0);
    EXPECT_EQ(statisticsOf("one").readingMinutes, 1);
    EXPECT_EQ(statisticsOf(QString("word ").repeated(200)).readingMinutes, 1);
    EXPECT_EQ(statisticsOf(QString("word ").repeated(201)).readingMinutes, 2);
    EXPECT_EQ(statisticsOf(QString("word ").repeated(1000)).words, 1000);
}
