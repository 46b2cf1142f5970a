// quillview: converts on the command line in a lean process (no window
// system, no Chromium, a fraction of the libraries) and hands every other
// start to quillview-gui.
#include <unistd.h>

#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/ConvertCommand.h"
#include "cli/QuietLogging.h"
#include "cli/Translations.h"
#include "cli/Usage.h"
#include "engine/WorkingMemory.h"

namespace {

std::string launcherFolder() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    const std::string self(path, static_cast<size_t>(length));
    return self.substr(0, self.rfind('/'));
}

// Beside the launcher in the build tree; in libexec when installed.
std::string windowProgram() {
    const std::string folder = launcherFolder();
    for (const std::string& candidate :
         {folder + "/quillview-gui", folder + "/../libexec/quillview/quillview-gui"})
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    return {};
}

int startWindowProgram(char** argv) {
    const std::string program = windowProgram();
    if (program.empty()) {
        fprintf(stderr, "quillview: quillview-gui was not found beside %s\n", launcherFolder().c_str());
        return 127;
    }
    execv(program.c_str(), argv);
    fprintf(stderr, "quillview: could not start %s: %s\n", program.c_str(), strerror(errno));
    return 126;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string first = argc >= 2 ? argv[1] : "";
    if (first == "--help" || first == "-h") {
        fputs(usage::fullUsage().c_str(), stdout);
        return 0;
    }
    if (first == "--version") {
        printf("quillview %s\n", QUILLVIEW_VERSION);
        return 0;
    }
    if (first != "convert")
        return startWindowProgram(argv);

    engine::keepFreedMemoryForLargeTexts();
    keepOnlyOwnLogging();
    QCoreApplication::setApplicationName("Quillview");
    QCoreApplication::setApplicationVersion(QUILLVIEW_VERSION);
    QCoreApplication application(argc, argv);
    installTranslations(application);
    return runConvertCommand(application.arguments().mid(2));
}
