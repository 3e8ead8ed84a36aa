#pragma once

#include "DesktopServices.h"

// Desktop services on a display: Qt message boxes and the system beep.
class QtDesktop : public DesktopServices {
public:
    void Beep() override;
    void ShowMessage(Icon icon, const std::string& caption, const std::string& text) override;
};
