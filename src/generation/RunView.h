// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

// What a generation run shows on the wizard. A run without a window shows nothing.
class RunView {
public:
    virtual ~RunView() = default;
    virtual void SetBusyCursor(bool /*busy*/) {}
    virtual void ShowProgress(bool /*on*/) {}
    // Builds the page (the work touches no control, so it may run on another thread); a window
    // keeps its progress animation moving meanwhile.
    virtual void Build(const std::function<void()>& build) { build(); }
    // Turns Finish into Exit and shows the result text on the last page.
    virtual void ShowResult(const std::string& /*text*/) {}
    // Lets the window draw the last page before the browser starts.
    virtual void ProcessPendingEvents() {}
};
