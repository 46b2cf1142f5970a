#pragma once
// A page made ready for the preview off the GUI thread: pages run to
// megabytes, and writing one into the shown page takes it as a JavaScript
// string literal, which is as long again.

#include <QString>

struct PreparedPage {
    QString html;
    QString literal;  // html as a JavaScript string literal, quotes included

    static PreparedPage of(const QString& html);
};

// A JavaScript string literal of the text (double quotes included), escaped
// in one pass over its UTF-16 code units. Safe on any thread.
QString javaScriptStringLiteral(const QString& text);
