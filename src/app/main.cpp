// quillview: the viewer, and the headless conversions on the command line.
#include <QCoreApplication>
#include <QTextStream>

#include "cli/ConvertCommand.h"

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName("Quillview");
    if (argc >= 2 && QString::fromLocal8Bit(argv[1]) == "convert") {
        QCoreApplication application(argc, argv);
        return runConvertCommand(application.arguments().mid(2));
    }
    QTextStream(stderr) << "usage: quillview convert [--lang ID] [--critic] [--set KEY=VALUE]... FILE|-\n"
                        << "(this build has no document windows yet)\n";
    return 2;
}
