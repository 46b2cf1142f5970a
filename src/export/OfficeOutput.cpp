#include "export/OfficeOutput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace officeoutput {

bool dropByteOrderMark(const QString& textFile) {
    QFile input(textFile);
    if (!input.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = input.readAll();
    input.close();
    if (!bytes.startsWith("\xEF\xBB\xBF"))
        return true;
    QSaveFile output(textFile);
    return output.open(QIODevice::WriteOnly) && output.write(bytes.mid(3)) == bytes.size() - 3 && output.commit();
}

namespace {

// Two images of the same name from different folders both go in: the later
// gets a number in front.
QString freeName(const QDir& folder, const QString& name) {
    QString candidate = name;
    for (int number = 2; folder.exists(candidate) || candidate == "TXT.rtf"; ++number)
        candidate = QString("%1-%2").arg(number).arg(name);
    return candidate;
}

}  // namespace

bool assembleRtfd(const QString& rtfFile, const QStringList& imageFiles, const QString& folder) {
    if (!QDir().mkpath(folder) || !QFile::copy(rtfFile, folder + "/TXT.rtf"))
        return false;
    const QDir rtfd(folder);
    for (const QString& image : imageFiles)
        if (!QFile::copy(image, rtfd.filePath(freeName(rtfd, QFileInfo(image).fileName()))))
            return false;
    return true;
}

}  // namespace officeoutput
