// The input as a TextPack archive: unpacked into the work folder and read as
// a package, then the work folder cleaned. Every entry must land inside the
// unpack folder, so after the clean-up no file may be left in the private home
// but the archive itself.
#include <QDirIterator>
#include <QFile>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "FuzzEnvironment.h"
#include "textbundle/Textbundle.h"

namespace {

QString archivePath() { return fuzzenv::scratchFolder() + "/input.textpack"; }

void writeArchive(const uint8_t* data, size_t size) {
    QFile file(archivePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(archivePath()));
        std::abort();
    }
}

void expectNothingLeftBehind() {
    QDirIterator files(QFileInfo(fuzzenv::scratchFolder()).path(), QDir::Files | QDir::Hidden | QDir::System,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        if (file == archivePath())
            continue;
        std::fprintf(stderr, "FILE LEFT OUTSIDE THE UNPACK FOLDER: %s\n", qPrintable(file));
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzenv::prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    writeArchive(data, size);
    Textbundle bundle;
    const auto contents = bundle.readTextpackFromPath(archivePath());
    if (contents && !contents->text.isNull() && contents->markupLang.isEmpty()) {
        std::fprintf(stderr, "PACKAGE TEXT WITHOUT A LANGUAGE\n");
        std::abort();
    }
    bundle.cleanTextpackTempFiles();
    expectNothingLeftBehind();
    return 0;
}
