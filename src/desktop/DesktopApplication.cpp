// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopApplication.h"

#include <QApplication>
#include <QByteArray>

namespace {

constexpr const char* Offscreen = "offscreen";

QtMessageHandler previousHandler = nullptr;

// Qt's messages while it looks for a display, such as a plug-in that could not connect, say
// nothing a user of this program needs; a fatal one still goes where Qt's messages go, before
// Qt ends the process.
void DropMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg && previousHandler != nullptr)
        previousHandler(type, context, text);
}

// The program's own arguments with the platform list as Qt's -platform option: given there
// rather than in $QT_QPA_PLATFORM, it is not passed on to a browser the run starts.
std::vector<std::string> WithPlatform(int argc, char** argv, const std::string& platforms) {
    std::vector<std::string> texts{argc > 0 ? argv[0] : "linkshelf", "-platform", platforms};
    for (int i = 1; i < argc; ++i)
        texts.emplace_back(argv[i]);
    return texts;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    pointers.reserve(texts.size());
    for (std::string& text : texts)
        pointers.push_back(text.data());
    // argv ends in a null pointer, as Qt may rely on.
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

DesktopApplication::Environment DesktopApplication::Environment::Current() {
    return {qgetenv("QT_QPA_PLATFORM").toStdString(), qgetenv("XDG_SESSION_TYPE").toStdString(),
            !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"),
            !qEnvironmentVariableIsEmpty("DISPLAY")};
}

std::string DesktopApplication::PlatformList(const Environment& environment) {
    if (!environment.requested.empty())
        return environment.requested + ";" + Offscreen;
    std::vector<std::string> names;
    if (environment.x11)
        names.emplace_back("xcb");
    if (environment.wayland)
        names.insert(environment.sessionType == "wayland" ? names.begin() : names.end(), "wayland");
    std::string list;
    for (const std::string& name : names)
        list += name + ";";
    return list + Offscreen;
}

DesktopApplication::DesktopApplication(int argc, char** argv)
    : platforms_(PlatformList(Environment::Current())),
      texts_(WithPlatform(argc, argv, platforms_)), arguments_(Pointers(texts_)),
      count_(static_cast<int>(texts_.size())) {
    previousHandler = qInstallMessageHandler(DropMessage);
    application_ = std::make_unique<QApplication>(count_, arguments_.data());
    qInstallMessageHandler(previousHandler);
}

DesktopApplication::~DesktopApplication() = default;

bool DesktopApplication::HasDisplay() const {
    return QGuiApplication::platformName() != Offscreen;
}
