#include "pipeline/PreviewRendering.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QRegularExpression>

#include "settings/SettingsStore.h"

namespace previewrendering {

namespace {

QByteArray resource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("%s is missing from the resources", qPrintable(path));
    return file.readAll();
}

QString jsString(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

// A library, made ready to be evaluated at the top level of our world when
// the page has something for it and does not have it yet. The driver
// evaluates it when it first renders something of its kind, so that a large
// library (Mermaid's is 3.5 MB) does not hold up what is on screen. A
// library that fails to load leaves the others working.
QString libraryLoader(const char* global, const char* wantedSelector, const QString& source) {
    return QStringLiteral("if(!window.%1&&document.querySelector(%2)){window.quillviewLibraries=window.quillviewLibraries||{};"
                          "window.quillviewLibraries.%1=function(){try{(0,eval)(%3);}catch(e){console.error(e);}};}\n")
        .arg(QLatin1String(global), jsString(QLatin1String(wantedSelector)), jsString(source));
}

// Mermaid's bundle is strict code that keeps its namespace in a `var` and
// reads it back from the global object; under eval that variable stays the
// eval's own, so it is read directly.
QString mermaidSource() {
    QString source = QString::fromUtf8(resource(":/preview/vendor/mermaid.min.js"));
    source.replace(QLatin1String("globalThis.__esbuild_esm_mermaid_nm["), QLatin1String("__esbuild_esm_mermaid_nm["));
    return source;
}

const QString& loader(int which) {
    static const QString loaders[] = {
        libraryLoader("hljs", "code[class*=\"language-\"]", QString::fromUtf8(resource(":/preview/vendor/highlight.min.js"))),
        libraryLoader("katex", "span.math", QString::fromUtf8(resource(":/preview/vendor/katex.min.js"))),
        libraryLoader("mermaid", "code.language-mermaid", mermaidSource()),
    };
    return loaders[which];
}

}  // namespace

const QString& mathStyle() {
    static const QString style = [] {
        QString css = QString::fromUtf8(resource(":/preview/vendor/katex.min.css"));
        // Each face's WOFF2 inline; its other formats are not bundled.
        static const QRegularExpression face(
            QStringLiteral(R"(url\(fonts/([A-Za-z0-9_-]+)\.woff2\) format\("woff2"\)[^;}]*)"));
        QString result;
        qsizetype last = 0;
        for (auto it = face.globalMatch(css); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            const QByteArray font = resource(":/preview/vendor/fonts/" + match.captured(1) + ".woff2");
            result += css.mid(last, match.capturedStart() - last);
            result += QStringLiteral("url(data:font/woff2;base64,") + QString::fromLatin1(font.toBase64())
                      + QStringLiteral(") format(\"woff2\")");
            last = match.capturedEnd();
        }
        return result + css.mid(last);
    }();
    return style;
}

QString switches() {
    const SettingsStore& settings = SettingsStore::shared();
    QString text;
    for (const bool on : {settings.highlightCode(), settings.typesetMath(), settings.drawDiagrams()})
        text += on ? '1' : '0';
    return text;
}

namespace {

bool hasCode(const QString& html) {
    return html.contains(QLatin1String("language-"));
}

bool hasMath(const QString& html) {
    return html.contains(QLatin1String("class=\"math"));
}

bool hasDiagram(const QString& html) {
    return html.contains(QLatin1String("language-mermaid"));
}

}  // namespace

bool rendersSomething(const QString& html) {
    const SettingsStore& settings = SettingsStore::shared();
    return (settings.highlightCode() && hasCode(html)) || (settings.typesetMath() && hasMath(html))
           || (settings.drawDiagrams() && hasDiagram(html));
}

namespace {

enum Libraries { kCodeAndMath = 1, kDiagrams = 2, kAll = kCodeAndMath | kDiagrams };

QString composed(const QString& html, bool atOnce, int libraries) {
    const SettingsStore& settings = SettingsStore::shared();
    const bool code = settings.highlightCode();
    const bool math = settings.typesetMath();
    const bool diagrams = settings.drawDiagrams();
    const bool all = html.isEmpty();
    const bool withCode = all || hasCode(html);
    const bool withMath = math && (all || hasMath(html));
    const bool withDiagram = all || hasDiagram(html);
    static const QString driver = QString::fromUtf8(resource(":/preview/rendering.js"));
    static const QString css = QString::fromUtf8(resource(":/preview/rendering.css"));
    static const QString darkCss = QString::fromUtf8(resource(":/preview/rendering-dark.css"));

    QString source;
    if ((libraries & kCodeAndMath) && code && withCode)
        source += loader(0);
    if ((libraries & kCodeAndMath) && withMath)
        source += loader(1);
    if ((libraries & kDiagrams) && diagrams && withDiagram)
        source += loader(2);
    QJsonObject options{{"code", code}, {"math", math}, {"diagrams", diagrams}, {"css", css}, {"darkCss", darkCss},
                        {"atOnce", atOnce}};
    if (withMath)
        options.insert("mathCss", mathStyle());
    return source + driver + QStringLiteral("quillviewRendering.render(")
           + QString::fromUtf8(QJsonDocument(options).toJson(QJsonDocument::Compact)) + QStringLiteral(");");
}

}  // namespace

QString script(const QString& html, bool atOnce) {
    return composed(html, atOnce, kAll);
}

QString screenScript(const QString& html) {
    return composed(html, false, kCodeAndMath);
}

QString diagramScript(const QString& html) {
    if (!SettingsStore::shared().drawDiagrams() || !hasDiagram(html))
        return {};
    return composed(html, false, kDiagrams);
}

}  // namespace previewrendering
