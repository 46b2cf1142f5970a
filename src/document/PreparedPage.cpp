#include "document/PreparedPage.h"

PreparedPage PreparedPage::of(const QString& html) {
    return {html, javaScriptStringLiteral(html)};
}

QString javaScriptStringLiteral(const QString& text) {
    static const char hex[] = "0123456789abcdef";
    QString literal;
    literal.reserve(text.size() + text.size() / 16 + 2);
    literal += u'"';
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            literal += u'\\';
            literal += c;
        } else if (u == u'\n') {
            literal += u"\\n";
        } else if (u < 0x20 || u == 0x2028 || u == 0x2029 || (u >= 0xd800 && u <= 0xdfff)) {
            // Control characters and line separators would end the literal;
            // surrogates, paired or not, pass as escapes.
            literal += u"\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                literal += QLatin1Char(hex[(u >> shift) & 0xf]);
        } else {
            literal += c;
        }
    }
    literal += u'"';
    return literal;
}
