#pragma once
// Code colours, math and diagrams of the preview: the script (run in the
// application's world) that renders them with the bundled highlight.js,
// KaTeX and Mermaid, as the settings switch them on.

#include <QString>

namespace previewrendering {

// Which of code, math and diagrams a page's HTML holds, found once (a page
// runs to megabytes).
struct PageContents {
    bool code = false;
    bool math = false;
    bool diagrams = false;
};
PageContents contentsOf(const QString& html);

// The script for a page about to be shown: the libraries its HTML needs
// (each evaluated once per page), our driver, and the call that renders
// what is not rendered yet. An empty `html` takes every library switched on.
// `atOnce` renders the whole page in one go (for printing) instead of what
// is on screen first and the rest in slices.
QString script(const QString& html = {}, bool atOnce = false);

// The same in two parts for the window: first all but Mermaid, so that the
// first screen does not wait for its 3.5 MB; then Mermaid with the call that
// draws the diagrams (empty when the page has none to draw).
QString screenScript(const PageContents& contents);
QString diagramScript(const PageContents& contents);
// Only the style sheets the rendering uses, for the top of a page that is
// still arriving: adopted later, they would make the engine lay the whole
// page out again.
QString styleScript(const PageContents& contents);

// Whether the HTML has code, math or a diagram that a switch that is on
// renders.
bool rendersSomething(const QString& html);

// Which of the three are switched on, as a short text: a page rendered with
// others must be written afresh (rendering is not undone in place).
QString switches();

// KaTeX's style sheet with its fonts inline (data: addresses), so that it
// needs nothing from outside the page.
const QString& mathStyle();

}  // namespace previewrendering
