#pragma once

#include "DesktopServices.h"

// Desktop services for a run without a display: messages go to standard error.
class ConsoleDesktop : public DesktopServices {
public:
    void Beep() override {}
    void ShowMessage(Icon icon, const std::string& caption, const std::string& text) override;
};
