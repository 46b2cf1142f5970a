#pragma once
// Words, characters and reading time of a page's text, for the status bar.
// Words are what ICU's word break rules call words, so Chinese or Japanese
// text without spaces counts its words as ICU segments them, not as one long
// word per line.

#include <QString>

namespace documentstatistics {

struct Statistics {
    int words = 0;
    // User-perceived characters (grapheme clusters), spaces included, line
    // breaks not: those come from the page's layout, not from the text.
    int characters = 0;
    // Rounded up at 200 words a minute; 0 only for a page without words.
    int readingMinutes = 0;
};

constexpr int kWordsPerMinute = 200;

Statistics statisticsOf(const QString& text);

// "Words: 1,234 · Characters: 5,678 · Reading time: 7 min", in the user's
// language.
QString summary(const Statistics& statistics);

}  // namespace documentstatistics
