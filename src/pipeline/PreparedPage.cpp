#include "pipeline/PreparedPage.h"

#include <algorithm>
#include <atomic>

#include "pipeline/PageScript.h"

namespace {

std::atomic<quint64> lastPageId{0};

}  // namespace

PreparedPage PreparedPage::of(const QString& html) {
    PreparedPage page;
    page.html = html;
    page.id = ++lastPageId;
    const previewrendering::PageContents contents = previewrendering::contentsOf(html);
    page.renderingScript = previewrendering::screenScript(contents);
    page.diagramScript = previewrendering::diagramScript(contents);
    page.styleScript = previewrendering::styleScript(contents);
    page.hasScripts = html.contains(QLatin1String("<script"), Qt::CaseInsensitive);
    return page;
}

qsizetype PreparedPage::partCount() const {
    // A short first part: a page written as it arrives shows its top after
    // it alone. An empty page still has its one part.
    const qsizetype rest = std::max<qsizetype>(0, html.size() - kPreparedFirstPartLength);
    return 1 + (rest + kPreparedPagePartLength - 1) / kPreparedPagePartLength;
}

QString PreparedPage::part(qsizetype index) const {
    const qsizetype start = index == 0 ? 0 : kPreparedFirstPartLength + (index - 1) * kPreparedPagePartLength;
    const qsizetype length = index == 0 ? kPreparedFirstPartLength : kPreparedPagePartLength;
    return pagescript::call(pagescript::kReceivePart,
                            {pagescript::number(double(id)), pagescript::number(double(index)),
                             javaScriptStringLiteral(QStringView(html).mid(start, length))});
}

QString PreparedPage::receivedExpression() const {
    return pagescript::call(pagescript::kReceivedPage,
                            {pagescript::number(double(id)), pagescript::number(double(partCount()))});
}

namespace {

// Characters that would end or bend the literal: quotes, backslashes,
// control characters and line separators; surrogates, paired or not, pass
// as escapes too (so that a pair split between two parts joins again).
bool needsEscape(char16_t u) {
    return u < 0x20 || u == u'"' || u == u'\\' || u == 0x2028 || u == 0x2029 || (u >= 0xd800 && u <= 0xdfff);
}

void appendEscape(QString& literal, char16_t u) {
    static const char hex[] = "0123456789abcdef";
    if (u == u'"' || u == u'\\') {
        literal += u'\\';
        literal += QChar(u);
    } else if (u == u'\n') {
        literal += u"\\n";
    } else {
        const char16_t escape[] = {u'\\', u'u', char16_t(hex[(u >> 12) & 0xf]), char16_t(hex[(u >> 8) & 0xf]),
                                   char16_t(hex[(u >> 4) & 0xf]), char16_t(hex[u & 0xf])};
        literal.append(QStringView(escape, 6));
    }
}

}  // namespace

QString javaScriptStringLiteral(QStringView text) {
    // Runs of plain characters are copied whole: a page runs to megabytes.
    QString literal;
    literal.reserve(text.size() + text.size() / 16 + 2);
    literal += u'"';
    const char16_t* run = text.utf16();
    const char16_t* const end = run + text.size();
    for (const char16_t* at = run; at != end; ++at) {
        if (!needsEscape(*at))
            continue;
        literal.append(QStringView(run, at));
        appendEscape(literal, *at);
        run = at + 1;
    }
    literal.append(QStringView(run, end));
    literal += u'"';
    return literal;
}
