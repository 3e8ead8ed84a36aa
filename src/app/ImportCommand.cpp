// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportCommand.h"

#include "BookmarkImport.h"
#include "ConsoleDesktop.h"
#include "ImportTexts.h"

#include <cstdio>

namespace {

constexpr int ExitWritten = 0;
constexpr int ExitFailed = 1;

int Fail(const std::string& text) {
    ConsoleDesktop().ShowMessage(DesktopServices::Icon::Error, "Linkshelf", text);
    return ExitFailed;
}

} // namespace

bool ImportCommand::Requested(const std::vector<std::string>& arguments) {
    return !arguments.empty() && arguments.front() == "--import";
}

int ImportCommand::Run(const std::vector<std::string>& arguments) {
    if (arguments.size() < 2 || arguments.size() > 3)
        return Fail(ImportTexts::Usage());
    std::string error;
    const std::optional<BookmarkSource> source = BrowserProfiles::Resolve(arguments[1], error);
    if (!source)
        return Fail(error);
    BookmarkImport import;
    const Result written =
        import.Run(*source, arguments.size() == 3 ? arguments[2] : BookmarkImport::DefaultTarget());
    if (!written)
        return Fail(written.failure().Text());
    std::printf("%s\n", import.Summary().c_str());
    return ExitWritten;
}
