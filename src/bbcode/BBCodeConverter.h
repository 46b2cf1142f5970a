#pragma once
// Forum-style BBCode to an HTML fragment: one table of tag rules between the
// protection of "+html+ … +endhtml+" blocks and code, with tag names read in
// any case, lists read whole and tags without their partner left as typed;
// then a line break at the end of every plain line.

#include "engine/ConverterBase.h"

class BBCodeConverter : public ConverterBase {
public:
    BBCodeConverter& initWithString(const icu::UnicodeString& string);

    RuleTable regexBBCode() const;
    icu::UnicodeString transform();
    void saveCodeBlocks();
    void normaliseTags();
    void convertLists();
    void disarmUnpairedTags();
    void autoLineBreaks();

private:
    void applyTagRules();
};
