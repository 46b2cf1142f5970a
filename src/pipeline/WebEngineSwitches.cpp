#include "pipeline/WebEngineSwitches.h"

#include "pipeline/PictureRelay.h"

namespace webengineswitches {

namespace {

const char* const kEngineArgumentsMarker = "--webEngineArgs";

QStringList switches() {
    // The relay's name leads to its port and nowhere else; every other name
    // and address resolves to nothing.
    const QString relay = PictureRelay::reserveAddress();
    const QString names = relay.isEmpty() ? QString("MAP * ~NOTFOUND")
                                          : QString("MAP %1 %2, MAP * ~NOTFOUND").arg(QLatin1String(PictureRelay::kHostName), relay);
    return {
        // WebRTC gathers and checks its candidates over UDP without any
        // request: a script could send what it read to any address.
        // UDP that goes past the proxy is off, and there is no proxy; this
        // also overrides WebRTCPublicInterfacesOnly.
        "--force-webrtc-ip-handling-policy=disable_non_proxied_udp",
        // WebTransport speaks QUIC over UDP, past the request policy too.
        "--disable-blink-features=WebTransport",
        // No page of ours loads from the network itself, so the engine
        // resolves no name, addresses included: what is left of WebRTC
        // (relays and peers over TCP), the WebSockets of shared workers (no
        // request policy sees them) and DNS lookups of names that carry data
        // all fail. One name is left: that of our own relay, which fetches
        // the pictures a reader allowed (PictureRelay).
        "--host-resolver-rules=" + names,
    };
}

}  // namespace

EngineCommandLine::EngineCommandLine(int argc, char** argv) {
    bool marked = false;
    for (int i = 0; i < argc; ++i) {
        arguments_.emplace_back(argv[i]);
        marked = marked || arguments_.back() == kEngineArgumentsMarker;
    }
    if (!marked)
        arguments_.emplace_back(kEngineArgumentsMarker);
    for (const QString& engineSwitch : switches())
        arguments_.push_back(engineSwitch.toStdString());
    for (std::string& argument : arguments_)
        pointers_.push_back(argument.data());
    argc_ = static_cast<int>(arguments_.size());
    pointers_.push_back(nullptr);
}

QStringList ownArguments(const QStringList& arguments) {
    const qsizetype marker = arguments.indexOf(kEngineArgumentsMarker);
    return marker < 0 ? arguments : arguments.first(marker);
}

}  // namespace webengineswitches
