#include "bbcode/BBCodeConverter.h"

BBCodeConverter& BBCodeConverter::initWithString(const icu::UnicodeString& string) {
    setHTML5orXHTML();
    icu::UnicodeString text(string);
    text += u"\n\n";
    ConverterBase::initWithString(text, regexBBCode());
    return *this;
}

icu::UnicodeString BBCodeConverter::transform() {
    saveHTMLBlocksWithStart(u"\\+html\\+", u"\\+endhtml\\+", u"+html+", u"+endhtml+");
    saveCodeBlocks();
    normaliseTags();
    convertLists();
    disarmUnpairedTags();
    applyTagRules();
    returnSavedHTMLBlocks();
    autoLineBreaks();
    return str;
}
