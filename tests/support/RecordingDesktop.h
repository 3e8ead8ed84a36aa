// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopServices.h"

#include <string>
#include <vector>

// Stands in for the desktop: remembers every beep, message box, question and opening, in order.
class RecordingDesktop : public DesktopServices {
public:
    RecordingDesktop() { previous_ = Install(this); }
    ~RecordingDesktop() override { Install(previous_); }

    void Beep() override { events.push_back("beep"); }
    void ShowMessage(Icon icon, const std::string& caption, const std::string& text) override {
        events.push_back((icon == Icon::Error ? "error:" : "info:") + caption + ":" + text);
    }
    bool Ask(const std::string& caption, const std::string& text) override {
        events.push_back("ask:" + caption + ":" + text);
        return answer;
    }
    bool Open(const std::string& target) override {
        events.push_back("open:" + target);
        return openSucceeds;
    }

    std::vector<std::string> events;
    bool openSucceeds = true;
    // What the user answers to a question.
    bool answer = true;

private:
    DesktopServices* previous_ = nullptr;
};
