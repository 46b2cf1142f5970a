#include "pipeline/PreparedPage.h"

#include <atomic>

#include "pipeline/PageScript.h"

namespace {

std::atomic<quint64> lastPageId{0};

}  // namespace

PreparedPage PreparedPage::of(const QString& html) {
    PreparedPage page;
    page.html = html;
    page.id = ++lastPageId;
    const QString id = pagescript::number(double(page.id));
    qsizetype index = 0;
    qsizetype at = 0;
    do {
        // A short first part: a page written as it arrives shows its top
        // after it alone.
        const QStringView text = QStringView(html).mid(at, index == 0 ? kPreparedFirstPartLength : kPreparedPagePartLength);
        page.parts << pagescript::call(pagescript::kReceivePart,
                                       {id, pagescript::number(double(index++)), javaScriptStringLiteral(text)})
                          + u';';
        at += text.size();
    } while (at < html.size());
    return page;
}

QString PreparedPage::receivedExpression() const {
    return pagescript::call(pagescript::kReceivedPage,
                            {pagescript::number(double(id)), pagescript::number(double(parts.size()))});
}

QString javaScriptStringLiteral(QStringView text) {
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
            // surrogates, paired or not, pass as escapes (so a pair split
            // between two parts joins again).
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
