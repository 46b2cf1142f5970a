#include "bbcode/BBCode_ObjC.h"

BBCode_ObjC& BBCode_ObjC::initWithString(const icu::UnicodeString& string) {
    setHTML5orXHTML();
    icu::UnicodeString text(string);
    text += u"\n\n";
    Markup_ObjC::initWithString(text, regexBBCode());
    return *this;
}

icu::UnicodeString BBCode_ObjC::transform() {
    saveHTMLBlocksWithStart(u"\\+html\\+", u"\\+endhtml\\+", u"+html+", u"+endhtml+");
    applyTagRules();
    returnSavedHTMLBlocks();
    autoLineBreaks();
    return str;
}
