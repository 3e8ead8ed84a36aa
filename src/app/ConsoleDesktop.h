// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopServices.h"

// Desktop services for a run without a display: messages go to standard error, and nothing is
// opened, as there is no screen to show a browser on (a run from cron would otherwise mail the
// opener's complaints every night).
class ConsoleDesktop : public DesktopServices {
public:
    void Beep() override {}
    void ShowMessage(Icon icon, const std::string& caption, const std::string& text) override;
    bool Open(const std::string& /*target*/) override { return true; }
};
