#include "export/TrackedChanges.h"

#include <QRegularExpression>
#include <optional>
#include <pwd.h>
#include <unistd.h>

#include "dispatch/MarkupTransformTask.h"

namespace trackedchanges {

namespace {

// A change opens with kOpen, its kind, its number and kOpenEnd, and closes
// with kClose, the number and kCloseEnd.
constexpr char16_t kOpen = u'\uE000';
constexpr char16_t kOpenEnd = u'\uE001';
constexpr char16_t kClose = u'\uE002';
constexpr char16_t kCloseEnd = u'\uE003';

enum Kind : char16_t { Insertion = u'I', Deletion = u'D', Highlight = u'H', Comment = u'C' };

// The neutral markers the dispatcher leaves for review marks (see
// MarkupTransformTask::saveCriticsMarkupsPriorMarkupTranversion).
struct Marker {
    const char* text;
    char16_t kind;  // 0: the end of the open mark; u'>': the arrow of a substitution
};
const Marker kMarkers[] = {{"{%%", Insertion}, {"{$$", Deletion},    {"{;;", Highlight}, {"{>>", Comment},
                           {"{&gt;&gt;", Comment}, {"\u2794", u'>'}, {"%%}", 0}};

QString opening(char16_t kind, int number) {
    return QString(QChar(kOpen)) + QChar(kind) + QString::number(number) + QChar(kOpenEnd);
}

QString closing(int number) {
    return QString(QChar(kClose)) + QString::number(number) + QChar(kCloseEnd);
}

QString changeInfo(const QString& author, const QString& date) {
    return "<office:change-info><dc:creator>" + author.toHtmlEscaped() + "</dc:creator><dc:date>" + date
           + "</dc:date></office:change-info>";
}

QString annotation(const QString& author, const QString& date, const QString& text, const QString& name = {}) {
    const QString named = name.isEmpty() ? QString() : " office:name=\"" + name + "\"";
    return "<office:annotation" + named + "><dc:creator>" + author.toHtmlEscaped() + "</dc:creator><dc:date>" + date
           + "</dc:date><text:p>" + text + "</text:p></office:annotation>";
}

// The tags of a piece of XML without its text, and its text without tags.
QString tagsOf(const QString& xml) {
    static const QRegularExpression tag("<[^>]*>");
    QString tags;
    for (auto it = tag.globalMatch(xml); it.hasNext();)
        tags += it.next().captured();
    return tags;
}

QString textOf(const QString& xml) {
    static const QRegularExpression tag("<[^>]*>");
    return QString(xml).remove(tag);
}

struct Change {
    char16_t kind;
    QString number;
    qsizetype start, startEnd, end, endEnd;  // the tokens' places
};

// The first change whose both tokens stand in `xml`.
std::optional<Change> firstChange(const QString& xml) {
    static const QRegularExpression open(QString("%1([IDHC])(\\d+)%2").arg(QChar(kOpen), QChar(kOpenEnd)));
    const auto start = open.match(xml);
    if (!start.hasMatch())
        return std::nullopt;
    const QString close = closing(start.captured(2).toInt());
    const qsizetype end = xml.indexOf(close, start.capturedEnd());
    if (end < 0)
        return std::nullopt;
    return Change{start.captured(1)[0].unicode(), start.captured(2), start.capturedStart(), start.capturedEnd(), end,
                  end + close.size()};
}

QString trackedChangesElement(const QString& regions) {
    return "<text:tracked-changes>" + regions + "</text:tracked-changes>";
}

// Regions go first in the text body, after its forms.
QString withRegions(QString xml, const QString& regions) {
    if (regions.isEmpty())
        return xml;
    static const QRegularExpression body(R"re(<office:text\b[^>]*>(\s*<office:forms\b[^>]*/>)?)re");
    const auto match = body.match(xml);
    if (match.hasMatch())
        xml.insert(match.capturedEnd(), trackedChangesElement(regions));
    return xml;
}

}  // namespace

QString fragmentWithChangeTokens(const QString& text, const QString& markupLanguage, const QString& documentFolder) {
    const QString marked = MarkupTransformTask::saveCriticsMarkupsPriorMarkupTranversion(text);
    const QString html = MarkupTransformTask::transformString(marked, markupLanguage, false, documentFolder);
    QString tokens;
    int number = 0;
    int open = 0;  // the number of the open mark, 0: none
    char16_t openKind = 0;
    for (qsizetype at = 0; at < html.size();) {
        const Marker* found = nullptr;
        for (const Marker& marker : kMarkers)
            if (html.mid(at, qsizetype(QString::fromUtf8(marker.text).size())) == QString::fromUtf8(marker.text)) {
                found = &marker;
                break;
            }
        const bool arrowOutsideDeletion = found && found->kind == u'>' && openKind != Deletion;
        const bool endWithoutStart = found && found->kind == 0 && open == 0;
        if (!found || arrowOutsideDeletion || endWithoutStart) {
            tokens += html[at++];
            continue;
        }
        at += QString::fromUtf8(found->text).size();
        if (found->kind == 0 || found->kind == u'>') {
            tokens += closing(open);
            open = 0;
            openKind = 0;
            if (found->kind == u'>') {  // a substitution: the deletion ends, its insertion starts
                open = ++number;
                openKind = Insertion;
                tokens += opening(Insertion, open);
            }
            continue;
        }
        if (open)
            tokens += closing(open);
        open = ++number;
        openKind = found->kind;
        tokens += opening(openKind, open);
    }
    if (open)
        tokens += closing(open);
    return tokens;
}

bool hasChangeTokens(const QString& html) {
    return html.contains(QChar(kOpen));
}

QString withTrackedChanges(const QString& flatOdt, const QString& author, const QDateTime& when) {
    const QString date = when.toUTC().toString(Qt::ISODate);
    QString xml = flatOdt;
    QString regions;
    while (const auto change = firstChange(xml)) {
        const QString id = "quillview-change-" + change->number;
        const QString inside = xml.mid(change->startEnd, change->end - change->startEnd);
        QString replacement;
        switch (change->kind) {
        case Insertion:
            regions += "<text:changed-region xml:id=\"" + id + "\" text:id=\"" + id + "\"><text:insertion>"
                       + changeInfo(author, date) + "</text:insertion></text:changed-region>";
            replacement = "<text:change-start text:change-id=\"" + id + "\"/>" + inside + "<text:change-end text:change-id=\""
                          + id + "\"/>";
            break;
        case Deletion:
            regions += "<text:changed-region xml:id=\"" + id + "\" text:id=\"" + id + "\"><text:deletion>"
                       + changeInfo(author, date) + "<text:p>" + textOf(inside) + "</text:p></text:deletion></text:changed-region>";
            replacement = "<text:change text:change-id=\"" + id + "\"/>" + tagsOf(inside);
            break;
        case Comment:
            replacement = annotation(author, date, textOf(inside)) + tagsOf(inside);
            break;
        case Highlight: {
            // A highlight with a comment right after it is the comment's range.
            xml.remove(change->end, change->endEnd - change->end);
            const auto next = firstChange(xml.mid(change->end));
            if (next && next->kind == Comment && next->start == 0) {
                const QString note = xml.mid(change->end + next->startEnd, next->end - next->startEnd);
                xml.replace(change->end, next->endEnd, tagsOf(note));
                replacement = annotation(author, date, textOf(note), id) + inside + "<office:annotation-end office:name=\""
                              + id + "\"/>";
            } else {
                replacement = inside;
            }
            xml.replace(change->start, change->end - change->start, replacement);
            continue;
        }
        }
        xml.replace(change->start, change->endEnd - change->start, replacement);
    }
    // A token without its partner (LibreOffice dropped a part) says nothing.
    static const QRegularExpression stray(QString("%1[IDHC]\\d+%2|%3\\d+%4")
                                              .arg(QChar(kOpen), QChar(kOpenEnd), QChar(kClose), QChar(kCloseEnd)));
    xml.remove(stray);
    return withRegions(xml, regions);
}

QString systemUserName() {
    if (const passwd* account = getpwuid(getuid())) {
        const QString fullName = QString::fromLocal8Bit(account->pw_gecos).section(',', 0, 0).trimmed();
        return fullName.isEmpty() ? QString::fromLocal8Bit(account->pw_name) : fullName;
    }
    return qEnvironmentVariable("USER");
}

}  // namespace trackedchanges
