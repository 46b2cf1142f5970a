#pragma once
// CriticMarkup as the review marks of Word and OpenDocument. The document is
// converted with its marks left as tokens of private-use characters, which
// LibreOffice carries into a flat OpenDocument file as text; there each token
// pair becomes an insertion, a deletion or a comment of the format itself,
// and LibreOffice then writes the final .odt or .docx. Accept All gives the
// edited text, Reject All the original.

#include <QDateTime>
#include <QString>

namespace trackedchanges {

// The converted HTML of `text` with every review mark as a token pair; the
// text's language and folder as the pipeline gave them.
QString fragmentWithChangeTokens(const QString& text, const QString& markupLanguage, const QString& documentFolder);

bool hasChangeTokens(const QString& html);

// The flat OpenDocument text with its tokens turned into tracked changes and
// comments by `author` at `when`.
QString withTrackedChanges(const QString& flatOdt, const QString& author, const QDateTime& when);

// The user's name as the system knows it (the account's full name, else its
// login name).
QString systemUserName();

}  // namespace trackedchanges
