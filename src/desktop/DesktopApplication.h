// SPDX-License-Identifier: GPL-3.0-or-later
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
    // What the environment says about the display.
    struct Environment {
        std::string requested;   // $QT_QPA_PLATFORM
        std::string sessionType; // $XDG_SESSION_TYPE
        bool wayland = false;    // $WAYLAND_DISPLAY is set
        bool x11 = false;        // $DISPLAY is set

        static Environment Current();
    };

    // The platforms to try, separated by ';': the ones asked for in $QT_QPA_PLATFORM, else
    // Wayland and X11 where a display of theirs is named (Wayland first in a Wayland session),
    // then offscreen.
    static std::string PlatformList(const Environment& environment);

    // Qt's own words about displays it could not open are dropped: the caller reports it.
    DesktopApplication(int argc, char** argv);
    ~DesktopApplication();
    DesktopApplication(const DesktopApplication&) = delete;
    DesktopApplication& operator=(const DesktopApplication&) = delete;
    // Whether a display was opened: offscreen, even when asked for, shows nobody anything.
    bool HasDisplay() const;

private:
    std::string platforms_;
    std::vector<std::string> texts_;
    std::vector<char*> arguments_;
    int count_;
    std::unique_ptr<QApplication> application_;
};
