// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportCommand.h"

#include "app/CommandSettings.h"
#include "app/ConsoleDesktop.h"
#include "generation/BookmarkExport.h"
#include "generation/RunTexts.h"
#include "platform/FilledText.h"
#include "platform/Language.h"
#include "text/Text.h"

#include <QCoreApplication>
#include <cstdio>
#include <sys/stat.h>

namespace {

constexpr int ExitWritten = 0;
constexpr int ExitFailed = 1;
constexpr int ExitNoLink = 2;

int Fail(const std::string& text) {
    ConsoleDesktop().ShowMessage(DesktopServices::Icon::Error, "Linkshelf", text);
    return ExitFailed;
}

// The format --format names, else the one the file's name asks for.
ResultOf<BookmarkExport::Format> FormatOf(const Invocation& invocation, const std::string& file) {
    if (const std::optional<std::string> named = invocation.Value("--format")) {
        if (const auto format = BookmarkExport::FormatNamed(*named))
            return *format;
        return Failure{
            FilledText(QCoreApplication::translate("ExportCommand",
                                                   "--format 只能是 html 或 xbel，而不是 \"%1\"。"),
                       *named) +
                "\n" + invocation.Usage(),
            "", ""};
    }
    if (const auto format = BookmarkExport::FormatOfFile(file))
        return *format;
    return Failure{
        FilledText(QCoreApplication::translate(
                       "ExportCommand", "不知道用哪种格式导出到 \"%1\"：文件名应以 .html、.htm 或 "
                                        ".xbel 结尾，或者用 --format html 或 --format xbel "
                                        "指定。"),
                   file),
        file, ""};
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

} // namespace

int ExportCommand::Run(const Invocation& invocation) {
    const QCoreApplication application(*invocation.argc, invocation.argv);
    Language::Install(Language::OfUser());
    Globals& globals = *invocation.globals;
    const std::string& file = invocation.operands.front();
    const ResultOf<BookmarkExport::Format> format = FormatOf(invocation, file);
    if (!format)
        return Fail(format.failure().message);
    const SettingsSource source =
        invocation.operands.size() == 2 ? SettingsSource::CommandLine : SettingsSource::Default;
    const std::string settingsPath = source == SettingsSource::CommandLine
                                         ? invocation.operands[1]
                                         : globals.DefaultSettingsPath();
    Settings settings;
    if (const Result read = CommandSettings::Read(settingsPath, source, settings, globals); !read)
        return Fail(read.failure().Text());
    // The settings file is read, never written: an export over it would lose the settings.
    if (SameFile(file, settingsPath))
        return Fail(FilledText(
            QCoreApplication::translate("ExportCommand", "不能把书签导出到设置文件 \"%1\" 上。"),
            file));
    const ResultOf<BookmarkExport::Counts> written =
        BookmarkExport::Write(settings, globals, file, *format);
    if (!written)
        return Fail(written.failure().Text());
    if (written->links == 0) {
        ConsoleDesktop().ShowMessage(DesktopServices::Icon::Information, "Linkshelf",
                                     BookmarkExport::NothingToExportText() + "\n" +
                                         SearchedFolderText(TrimText(settings.sourceFolder)));
        return ExitNoLink;
    }
    std::printf("%s\n", BookmarkExport::Summary(file, *written).c_str());
    return ExitWritten;
}
