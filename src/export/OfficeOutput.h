#pragma once
// Finishing what LibreOffice wrote.

#include <QString>
#include <QStringList>

namespace officeoutput {

// LibreOffice's UTF-8 text starts with a byte-order mark that most tools
// show as a stray character; it goes.
bool dropByteOrderMark(const QString& textFile);

// An RTFD: the folder `folder` (NAME.rtfd) holding the RTF as TXT.rtf and
// the document's images beside it under their own names.
bool assembleRtfd(const QString& rtfFile, const QStringList& imageFiles, const QString& folder);

}  // namespace officeoutput
