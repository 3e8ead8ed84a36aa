// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportCommand.h"

#include "app/ConsoleDesktop.h"
#include "import/BookmarkImport.h"
#include "platform/Language.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

constexpr int ExitWritten = 0;
constexpr int ExitFailed = 1;

int Fail(const Failure& failure) {
    ConsoleDesktop().ShowMessage(DesktopServices::Icon::Error, "Linkshelf", failure.Text());
    return ExitFailed;
}

} // namespace

int ImportCommand::Run(const Invocation& invocation) {
    const QCoreApplication application(*invocation.argc, invocation.argv);
    Language::Install(Language::OfUser());
    const std::vector<std::string>& operands = invocation.operands;
    const ResultOf<BookmarkSource> source = BrowserProfiles::Resolve(operands.front());
    if (!source)
        return Fail(source.failure());
    BookmarkImport import;
    const Result written =
        import.Run(*source, operands.size() == 2 ? operands[1] : BookmarkImport::DefaultTarget());
    if (!written)
        return Fail(written.failure());
    std::printf("%s\n", import.Summary().c_str());
    return ExitWritten;
}
