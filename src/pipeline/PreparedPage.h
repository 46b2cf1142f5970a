#pragma once
// A page made ready for the preview: what it needs is found off the GUI
// thread. Pages run to megabytes; writing one into the shown page hands it
// over as JavaScript string literals, in parts, so that no single hand-over
// holds the GUI thread for long (each costs a few copies of its text there).

#include <QString>

#include "pipeline/PreviewRendering.h"

struct PreparedPage {
    QString html;
    // Tells this page's parts from those of any other.
    quint64 id = 0;
    // Made here, off the GUI thread (the libraries run to megabytes): the
    // scripts that render the page's code and math, and its diagrams.
    QString renderingScript;
    QString diagramScript;
    QString styleScript;
    // Whether html holds a script of its own (it decides the paint road).
    bool hasScripts = false;

    static PreparedPage of(const QString& html);
    // The statements that give html to the page, part by part, in order
    // (run in the application's script world). Each is made when asked for,
    // so that a big page is not held twice, and its first part goes out
    // without waiting for the rest.
    qsizetype partCount() const;
    QString part(qsizetype index) const;
    // An expression, for the page once every part ran: the html, or null
    // when some part did not arrive (the page was replaced meanwhile).
    QString receivedExpression() const;
};

// The UTF-16 code units of html one part carries.
constexpr qsizetype kPreparedPagePartLength = 256 * 1024;
// ... and the first part, enough for the first screen.
constexpr qsizetype kPreparedFirstPartLength = 32 * 1024;

// A JavaScript string literal of the text (double quotes included), escaped
// in one pass over its UTF-16 code units. Safe on any thread.
QString javaScriptStringLiteral(QStringView text);
