#pragma once
// Chromium switches every web page of the application runs under. The
// request policies see each request a page makes, but some of Chromium's
// ways to the network make no request: WebRTC and WebTransport open sockets
// of their own. These switches close them for the whole engine (previews,
// help, PDF printing) before it starts.
//
// They go on the application's command line after --webEngineArgs, not into
// QTWEBENGINE_CHROMIUM_FLAGS: programs we start (the user's browser among
// them) would inherit the environment.

#include <QStringList>
#include <string>
#include <vector>

namespace webengineswitches {

// argc and argv for the Qt application: the program's own arguments, then
// the engine's. Switches the user gave after --webEngineArgs stay, ours
// come last and so win. Keep it alive as long as the application.
class EngineCommandLine {
public:
    EngineCommandLine(int argc, char** argv);
    int& argc() { return argc_; }
    char** argv() { return pointers_.data(); }

private:
    std::vector<std::string> arguments_;
    std::vector<char*> pointers_;
    int argc_ = 0;
};

// The program's own arguments out of QCoreApplication::arguments(): those
// before --webEngineArgs.
QStringList ownArguments(const QStringList& arguments);

}  // namespace webengineswitches
