#pragma once
// The one way a document goes: file or package → text (encoding fallback,
// packages unpacked) → language → conversion → fragment → page and base URL.
// The window, Copy HTML, `convert` and export all go through here, so the
// command line gives byte for byte what the window shows. QtCore only; safe
// to run on any thread.

#include <QString>
#include <QUrl>

#include "engine/ConversionBudget.h"

namespace documentpipeline {

// TookTooLong: the conversion ran past its time budget, or was cancelled,
// and was stopped. Folder: a folder that is no package.
enum class Problem { None, Missing, TooLarge, Binary, Unreadable, BrokenPackage, TookTooLong, Folder };

struct Request {
    QString path;                  // a file, or a TextBundle or TextPack
    QString language;              // an identifier; empty: by extension or package, as a window does
    bool criticMarkup = false;
    qint64 largestFile = 0;        // 0: any size
    QString textpackUnpackFolder;  // where a TextPack unpacks; empty: a new folder, see below
    engine::CancelFlag cancelled;  // set: the conversion stops, nobody needs it any more
};

struct Result {
    Problem problem = Problem::None;
    QString text;             // the document's text; null when it could not be read
    QString markupLanguage;   // the identifier it was converted from
    QString fragment;         // the HTML; empty when there is a problem
    bool conversionFailed = false;  // an external interpreter failed: the fragment says why
    QUrl baseURL;             // where relative links and images resolve
    QString packageFolder;    // a TextBundle's folder or an unpacked TextPack's, else empty
    QString unpackFolder;     // a TextPack's unpack folder (the caller removes it when done)
    qint64 stamp = 0;         // the file's state when read (see diskStamp)

    bool ok() const { return problem == Problem::None; }
};

// Reads and converts the document.
Result render(const Request& request);

// Converts a text that has no file (standard input): language by the
// "open unknown" rule when empty, no base URL.
Result renderText(const QString& text, const QString& language, bool criticMarkup);

// The page the preview loads: the fragment with style and font size.
QString pageFor(const Result& result);

// Modification times and sizes of the file, or of a package's entries: it
// changes whenever the document does.
qint64 diskStamp(const QString& path);

bool isPackagePath(const QString& path);

// What to tell the reader about a problem, in their language.
QString problemTitle(Problem problem);
QString problemMessage(Problem problem, const QString& path, qint64 largestFile);

}  // namespace documentpipeline
