#pragma once
// The local pictures a document shows travel with it into a package: each is
// copied under a name unique in assets/, and the text points at assets/NAME.
// Only pictures inside the document's folder tree go, as the preview shows
// only those; web addresses and anything else stay as written. The source
// file is never touched.

#include <QString>
#include <QStringList>

namespace packagepictures {

struct PackedText {
    QString text;          // the text with its picture references rewritten
    QStringList pictures;  // copies in the stage folder, named as in assets/
};

// `html` is the document's converted HTML, whose <img> sources name the
// pictures; `assets` are the files assets/ gets already, under their names
// (a picture among them is not copied twice).
PackedText packPictures(const QString& text, const QString& html, const QString& documentFolder,
                        const QString& stageFolder, const QStringList& assets);

}  // namespace packagepictures
