#pragma once

#include <memory>
#include <string>
#include <vector>

class QApplication;

// The application object for a run that may show windows. Qt ends the process when the display
// it is pointed at cannot be opened (a server that is gone, a Wayland socket without Qt's
// Wayland plug-in); here each platform the environment may mean is tried in turn and Qt's
// offscreen platform stands in last, so the caller can report the display and carry on.
class DesktopApplication {
public:
    // The platforms to try, separated by ';': the one asked for in $QT_QPA_PLATFORM, else
    // Wayland and X11 (Wayland first in a Wayland session), then offscreen.
    static std::string PlatformList(const std::string& requested, const std::string& sessionType);

    DesktopApplication(int argc, char** argv);
    ~DesktopApplication();
    DesktopApplication(const DesktopApplication&) = delete;
    DesktopApplication& operator=(const DesktopApplication&) = delete;
    // Whether a display was opened, or offscreen was asked for by name.
    bool HasDisplay() const;

private:
    std::string platforms_;
    std::vector<std::string> texts_;
    std::vector<char*> arguments_;
    int count_;
    std::unique_ptr<QApplication> application_;
};
