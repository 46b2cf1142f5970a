#include "pipeline/PreviewRendering.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QRegularExpression>

#include "pipeline/PageScript.h"
#include "settings/SettingsStore.h"

namespace previewrendering {

namespace {

QByteArray resource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("%s is missing from the resources", qPrintable(path));
    return file.readAll();
}

// A library, made ready to be evaluated at the top level of our world when
// the page has something for it and does not have it yet. The driver
// evaluates it when it first renders something of its kind, so that a large
// library (Mermaid's is 3.5 MB) does not hold up what is on screen. A
// library that fails to load leaves the others working.
QString libraryLoader(const char* global, const char* wantedSelector, const QString& source) {
    return QStringLiteral("if(!window.%1&&document.querySelector(%2)){window.quillviewLibraries=window.quillviewLibraries||{};"
                          "window.quillviewLibraries.%1=function(){try{(0,eval)(%3);}catch(e){console.error(e);}};}\n")
        .arg(QLatin1String(global), pagescript::string(QString::fromLatin1(wantedSelector)), pagescript::string(source));
}

// Mermaid's bundle is strict code that keeps its namespace in a `var` and
// reads it back from the global object; under eval that variable stays the
// eval's own, so it is read directly.
QString mermaidSource() {
    QString source = QString::fromUtf8(resource(":/preview/vendor/mermaid.min.js"));
    source.replace(QLatin1String("globalThis.__esbuild_esm_mermaid_nm["), QLatin1String("__esbuild_esm_mermaid_nm["));
    return source;
}

// Each made on first need: a page without diagrams never pays for Mermaid's.
const QString& codeLoader() {
    static const QString loader =
        libraryLoader("hljs", "code[class*=\"language-\"]", QString::fromUtf8(resource(":/preview/vendor/highlight.min.js")));
    return loader;
}

const QString& mathLoader() {
    static const QString loader =
        libraryLoader("katex", "span.math", QString::fromUtf8(resource(":/preview/vendor/katex.min.js")));
    return loader;
}

const QString& diagramLoader() {
    static const QString loader = libraryLoader("mermaid", "code.language-mermaid", mermaidSource());
    return loader;
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

PageContents contentsOf(const QString& html) {
    PageContents contents;
    contents.code = html.contains(QLatin1String("language-"));
    contents.math = html.contains(QLatin1String("class=\"math"));
    contents.diagrams = contents.code && html.contains(QLatin1String("language-mermaid"));
    return contents;
}

bool rendersSomething(const QString& html) {
    const SettingsStore& settings = SettingsStore::shared();
    const PageContents contents = contentsOf(html);
    return (settings.highlightCode() && contents.code) || (settings.typesetMath() && contents.math)
           || (settings.drawDiagrams() && contents.diagrams);
}

namespace {

enum Libraries { kNone = 0, kCodeAndMath = 1, kDiagrams = 2, kAll = kCodeAndMath | kDiagrams };

// The libraries asked for and the driver, then the driver's `call` with the
// options.
QString composed(const PageContents& contents, bool atOnce, int libraries, QLatin1String call = QLatin1String("render")) {
    const SettingsStore& settings = SettingsStore::shared();
    const bool code = settings.highlightCode();
    const bool math = settings.typesetMath();
    const bool diagrams = settings.drawDiagrams();
    const bool withMath = math && contents.math;
    static const QString driver = QString::fromUtf8(resource(":/preview/rendering.js"));
    static const QString css = QString::fromUtf8(resource(":/preview/rendering.css"));
    static const QString darkCss = QString::fromUtf8(resource(":/preview/rendering-dark.css"));

    QString source;
    if ((libraries & kCodeAndMath) && code && contents.code)
        source += codeLoader();
    if ((libraries & kCodeAndMath) && withMath)
        source += mathLoader();
    if ((libraries & kDiagrams) && diagrams && contents.diagrams)
        source += diagramLoader();
    QJsonObject options{{"code", code}, {"math", math}, {"diagrams", diagrams}, {"css", css}, {"darkCss", darkCss},
                        {"atOnce", atOnce}};
    if (withMath)
        options.insert("mathCss", mathStyle());
    return source + driver + QStringLiteral("quillviewRendering.") + call + u'('
           + QString::fromUtf8(QJsonDocument(options).toJson(QJsonDocument::Compact)) + QStringLiteral(");");
}

}  // namespace

QString script(const QString& html, bool atOnce) {
    return composed(html.isEmpty() ? PageContents{true, true, true} : contentsOf(html), atOnce, kAll);
}

QString screenScript(const PageContents& contents) {
    return composed(contents, false, kCodeAndMath);
}

QString styleScript(const PageContents& contents) {
    // It runs just before the rest of a page is written: nothing that fails
    // here may keep the rest out.
    return QStringLiteral("try{") + composed(contents, false, kNone, QLatin1String("adoptStyles"))
           + QStringLiteral("}catch(e){console.error(e);}");
}

QString diagramScript(const PageContents& contents) {
    if (!SettingsStore::shared().drawDiagrams() || !contents.diagrams)
        return {};
    return composed(contents, false, kDiagrams);
}

}  // namespace previewrendering
