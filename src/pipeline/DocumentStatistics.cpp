#include "pipeline/DocumentStatistics.h"

#include <QCoreApplication>
#include <QLocale>
#include <memory>
#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace documentstatistics {

namespace {

// A read-only view of the QString's UTF-16 code units: no copy.
icu::UnicodeString unicodeView(const QString& text) {
    return icu::UnicodeString(false, reinterpret_cast<const char16_t*>(text.utf16()), int32_t(text.size()));
}

int countWords(const icu::UnicodeString& text) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> words(icu::BreakIterator::createWordInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status))
        return 0;
    words->setText(text);
    int count = 0;
    // Each segment between two boundaries is a word, a run of spaces or a
    // punctuation mark; only words carry a rule status other than "none".
    for (int32_t end = words->next(); end != icu::BreakIterator::DONE; end = words->next())
        if (words->getRuleStatus() != UBRK_WORD_NONE)
            ++count;
    return count;
}

int countCharacters(const icu::UnicodeString& text) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> characters(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status))
        return 0;
    characters->setText(text);
    int count = 0;
    int32_t start = characters->first();
    for (int32_t end = characters->next(); end != icu::BreakIterator::DONE; start = end, end = characters->next()) {
        const char16_t first = text.charAt(start);
        if (first != u'\n' && first != u'\r')
            ++count;
    }
    return count;
}

}  // namespace

Statistics statisticsOf(const QString& text) {
    const icu::UnicodeString view = unicodeView(text);
    Statistics statistics;
    statistics.words = countWords(view);
    statistics.characters = countCharacters(view);
    statistics.readingMinutes = (statistics.words + kWordsPerMinute - 1) / kWordsPerMinute;
    return statistics;
}

QString summary(const Statistics& statistics) {
    const QLocale locale;
    return QCoreApplication::translate("DocumentStatistics", "Words: %1 · Characters: %2 · Reading time: %3 min")
        .arg(locale.toString(statistics.words), locale.toString(statistics.characters),
             locale.toString(statistics.readingMinutes));
}

}  // namespace documentstatistics
