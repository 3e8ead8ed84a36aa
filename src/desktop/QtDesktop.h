// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopServices.h"

// Desktop services on a display: Qt message boxes and dialogs, the system beep, and the
// desktop's own opener.
class QtDesktop : public DesktopServices {
public:
    void Beep() override;
    void ShowMessage(Icon icon, const std::string& caption, const std::string& text) override;
    bool Ask(const std::string& caption, const std::string& text) override;
    bool Open(const std::string& target) override;
    // Custom colours the user defines are offered again for the rest of the run.
    std::optional<std::string> ChooseFile(QWidget* owner, const FileRequest& request) override;
    std::optional<Rgb> ChooseColor(QWidget* owner, Rgb initial) override;
};
