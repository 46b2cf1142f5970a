#include "dispatch/MarkupTransformTask.h"

#include <utility>

#include "settings/SettingsStore.h"

// Between the two steps the review marks travel as markers that no converter
// rewrites.
QString MarkupTransformTask::saveCriticsMarkupsPriorMarkupTranversion(const QString& text) {
    static const std::pair<const char*, const char*> steps[] = {
        {"{--", "{$$"}, {"--}", "%%}"}, {"{~~", "{$$"}, {"~~}", "%%}"}, {"~>", "➔"},
        {"{++", "{%%"}, {"++}", "%%}"}, {"{==", "{;;"}, {"==}", "%%}"}, {"<<}", "%%}"},
    };
    QString marked = text;
    for (const auto& [delimiter, marker] : steps)
        marked.replace(QString::fromUtf8(delimiter), QString::fromUtf8(marker), Qt::CaseInsensitive);
    return marked;
}

QString MarkupTransformTask::convertAdditionalCriticsInText(const QString& html) {
    SettingsStore& settings = SettingsStore::shared();
    auto span = [](const QString& style) { return QString("<span style='%1'>").arg(style); };
    const QString highlight = span(settings.criticHighlightStyle());
    const QString addition = span(settings.criticAddStyle());
    const QString comment = span(settings.criticCommentStyle());
    const QString deletion = span(settings.criticRemoveStyle());
    const QString joint = QString::fromUtf8("</span> ➔ ") + addition;

    const std::pair<QString, QString> steps[] = {
        {"{;;", highlight}, {"%%}", "</span>"},      {"{%%", addition},           {"{>>", comment},
        {"{&gt;&gt;", comment}, {QString::fromUtf8("➔"), joint}, {"{$$", deletion},
    };
    QString rendered = html;
    for (const auto& [marker, replacement] : steps)
        rendered.replace(marker, replacement, Qt::CaseInsensitive);
    return rendered;
}
