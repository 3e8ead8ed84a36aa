#pragma once

#include <string>

// Everything the program shows to the user or hands to the desktop goes through here, so that
// tests can put a recorder in its place and a run without a display can fall back to text.
class DesktopServices {
public:
    enum class Icon { Error, Information };

    virtual ~DesktopServices() = default;

    virtual void Beep() = 0;
    // A modal message box with one OK button; returns when the user has closed it.
    virtual void ShowMessage(Icon icon, const std::string& caption, const std::string& text) = 0;
    // Opens a file or web address with the desktop's opener; true when the opener was started.
    virtual bool Open(const std::string& target);

    // The services in force: the last installed, or the text fallback.
    static DesktopServices& Current();
    // Puts services in force (nullptr restores the fallback) and gives back the previous ones.
    static DesktopServices* Install(DesktopServices* services);
};
