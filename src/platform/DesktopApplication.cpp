#include "DesktopApplication.h"

#include <QApplication>
#include <cstdlib>

namespace {

constexpr const char* Offscreen = "offscreen";

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string RequestedPlatform() {
    return EnvironmentValue("QT_QPA_PLATFORM");
}

// The program's own arguments with the platform list put first, so that Qt takes it instead of
// the environment's choice, which would not be passed on to the programs the run starts.
std::vector<std::string> WithPlatform(int argc, char** argv, const std::string& platforms) {
    std::vector<std::string> texts{argc > 0 ? argv[0] : "linkshelf", "-platform", platforms};
    for (int i = 1; i < argc; ++i)
        texts.emplace_back(argv[i]);
    return texts;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    // argv ends in a null pointer, as Qt may rely on.
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

std::string DesktopApplication::PlatformList(const std::string& requested,
                                             const std::string& sessionType) {
    std::string list = requested;
    if (list.empty())
        list = sessionType == "wayland" ? "wayland;xcb" : "xcb;wayland";
    return list + ";" + Offscreen;
}

DesktopApplication::DesktopApplication(int argc, char** argv)
    : platforms_(PlatformList(RequestedPlatform(), EnvironmentValue("XDG_SESSION_TYPE"))),
      texts_(WithPlatform(argc, argv, platforms_)), arguments_(Pointers(texts_)),
      count_(static_cast<int>(texts_.size())),
      application_(std::make_unique<QApplication>(count_, arguments_.data())) {}

DesktopApplication::~DesktopApplication() = default;

bool DesktopApplication::HasDisplay() const {
    return QGuiApplication::platformName() != Offscreen ||
           RequestedPlatform().starts_with(Offscreen);
}
