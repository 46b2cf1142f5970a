#include "dispatch/FrontMatter.h"


namespace frontmatter {

namespace {

bool isFence(const QString& line, bool closing) {
    const QString trimmed = line.trimmed();
    return trimmed == "---" || (closing && trimmed == "...");
}

QString unquoted(QString value) {
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

// Adds one line of the block to the entries; false when the line is not
// front matter.
bool addLine(const QString& line, std::vector<std::pair<QString, QString>>& entries) {
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith('#'))
        return true;
    const bool continuation = line.front().isSpace() || trimmed.startsWith("- ") || trimmed == "-";
    if (continuation) {
        if (entries.empty())
            return false;
        QString& value = entries.back().second;
        const QString item = trimmed.startsWith('-') ? unquoted(trimmed.mid(1)) : trimmed;
        value += value.isEmpty() ? item : (trimmed.startsWith('-') ? ", " : " ") + item;
        return true;
    }
    // "key: value" or "key:", the key starting with a letter, digit or "_".
    const qsizetype colon = line.indexOf(':');
    const QString key = line.left(colon).trimmed();
    if (colon <= 0 || key.isEmpty() || !(key.front().isLetterOrNumber() || key.front() == '_') || key.contains('#'))
        return false;
    if (colon + 1 < line.size() && !line.at(colon + 1).isSpace())
        return false;
    entries.emplace_back(key, unquoted(line.mid(colon + 1)));
    return true;
}

}  // namespace

Split split(const QString& text) {
    Split result;
    const int firstEnd = text.indexOf('\n');
    if (firstEnd < 0 || !isFence(text.left(firstEnd), false))
        return result;
    std::vector<std::pair<QString, QString>> entries;
    for (int start = firstEnd + 1; start < text.size();) {
        int end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QString line = text.mid(start, end - start);
        if (isFence(line, true)) {
            if (entries.empty())
                return result;
            result.found = true;
            result.entries = std::move(entries);
            result.body = text.mid(std::min<qsizetype>(end + 1, text.size()));
            return result;
        }
        if (!addLine(line, entries))
            return result;
        start = end + 1;
    }
    return result;  // never closed: not front matter
}

QString tableHtml(const std::vector<std::pair<QString, QString>>& entries) {
    QString html = QString("<table class=\"%1\">\n").arg(kTableClass);
    for (const auto& [key, value] : entries)
        html += "<tr><th>" + key.toHtmlEscaped() + "</th><td>" + value.toHtmlEscaped() + "</td></tr>\n";
    return html + "</table>\n";
}

}  // namespace frontmatter
