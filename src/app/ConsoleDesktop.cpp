// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsoleDesktop.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

// The message texts are laid out for a box: padded with blanks and broken with CR LF. On a
// terminal the padding goes and each line ends in a plain line feed.
std::string ForTerminal(const std::string& text) {
    std::string lines;
    std::string line;
    auto endLine = [&] {
        line.erase(line.find_last_not_of(' ') + 1);
        lines += line + '\n';
        line.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (text[i] == '\n' || text[i] == '\r')
            endLine();
        else
            line += text[i];
    }
    endLine();
    return lines;
}

} // namespace

void ConsoleDesktop::ShowMessage(Icon icon, const std::string& caption, const std::string& text) {
    const QString kind = icon == Icon::Error
                             ? QCoreApplication::translate("ConsoleDesktop", "错误")
                             : QCoreApplication::translate("ConsoleDesktop", "信息");
    std::fprintf(stderr, "%s: %s: %s", caption.c_str(), kind.toStdString().c_str(),
                 ForTerminal(text).c_str());
    std::fflush(stderr);
}
