// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckCommand.h"
#include "CommandLine.h"
#include "ConsoleDesktop.h"
#include "DesktopApplication.h"
#include "FocusFrameStyle.h"
#include "FormMain.h"
#include "GenerationRun.h"
#include "Globals.h"
#include "ImportCommand.h"
#include "Language.h"
#include "ProgramFile.h"
#include "QtDesktop.h"
#include "RefreshCommand.h"
#include "SettingsFile.h"
#include "Startup.h"
#include "UnattendedRun.h"
#include "WindowPlacement.h"
#include "WizardLock.h"

#include <QApplication>
#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sys/resource.h>

namespace {

// Every text of the run in the user's language, once the application object exists.
void SpeakUsersLanguage() {
    Language::Install(Language::OfUser());
}

void PrintError(const QString& text) {
    std::fprintf(stderr, "Linkshelf: %s\n", text.toLocal8Bit().constData());
}

QString WithoutDisplayHint() {
    return QCoreApplication::translate(
        "main", "如果不用显示器生成页面，请运行：linkshelf 设置文件.lfs，或 linkshelf -RUN");
}

// Whether the environment names a display at all; whether it can be opened is known only once
// the application object has tried.
bool NamesDisplay() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

// The scan keeps one folder open per level of the tree; let deep trees have the room.
void AllowManyOpenFiles() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

// The wizard until its window is closed; the exit status is 0 however it ends, 1 when it
// cannot open.
int RunWizard(int argc, char** argv, Globals& globals) {
    if (!NamesDisplay()) {
        const QCoreApplication console(argc, argv);
        SpeakUsersLanguage();
        PrintError(QCoreApplication::translate("main", "向导需要显示器。") + WithoutDisplayHint());
        return 1;
    }
    DesktopApplication application(argc, argv);
    SpeakUsersLanguage();
    if (!application.HasDisplay()) {
        PrintError(QCoreApplication::translate("main", "向导不能打开显示器。") +
                   WithoutDisplayHint());
        return 1;
    }
    QApplication::setApplicationName("Linkshelf");
    QApplication::setStyle(new FocusFrameStyle);
    QGuiApplication::setDesktopFileName("org.linkshelf.Linkshelf");
    QtDesktop desktop;
    DesktopServices::Install(&desktop);
    globals.Layout.MakeSettingsFolder();
    WizardLock lock(globals.SettingsPath);
    if (!lock.Acquire()) {
        ShowError(QCoreApplication::translate(
                      "main", "Linkshelf 的向导已经打开了设置文件 \"%1\" 。请切换到那个窗口。")
                      .arg(QString::fromStdString(globals.SettingsPath))
                      .toStdString());
        DesktopServices::Install(nullptr);
        return 1;
    }
    FormMain wizard(globals, ProgramFile::Path());
    CenterOnScreen(&wizard);
    wizard.show();
    QApplication::exec();
    DesktopServices::Install(nullptr);
    return 0;
}

// A run without the wizard: message boxes when a display can be opened, else standard error.
int RunWithoutWizard(int argc, char** argv, Globals& globals, CommandLine::Mode mode) {
    std::unique_ptr<DesktopApplication> application;
    std::unique_ptr<QCoreApplication> console;
    if (NamesDisplay())
        application = std::make_unique<DesktopApplication>(argc, argv);
    else
        console = std::make_unique<QCoreApplication>(argc, argv);
    SpeakUsersLanguage();
    std::unique_ptr<DesktopServices> desktop;
    if (application && application->HasDisplay()) {
        desktop = std::make_unique<QtDesktop>();
    } else
        desktop = std::make_unique<ConsoleDesktop>();
    DesktopServices::Install(desktop.get());
    int status = 1;
    if (mode == CommandLine::Mode::MissingSettingsFile)
        ShowError(QCoreApplication::translate("main", "设置文件 \"%1\" 不存在。")
                      .arg(QString::fromStdString(globals.SettingsPath))
                      .toStdString());
    else if (mode == CommandLine::Mode::NotSettingsFile)
        ShowError("\"" + globals.SettingsPath + "\": " + NotSettingsFileReason());
    else
        status = RunUnattended(globals);
    DesktopServices::Install(nullptr);
    return status;
}

std::vector<std::string> ArgumentsOf(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace

int main(int argc, char** argv) {
    // Writing past the file-size limit must fail as a short write, so the old page is kept and
    // the failure reported, instead of ending the program halfway with its temporary file left.
    std::signal(SIGXFSZ, SIG_IGN);
    AllowManyOpenFiles();
    const std::vector<std::string> arguments = ArgumentsOf(argc, argv);
    if (ImportCommand::Requested(arguments)) {
        const QCoreApplication application(argc, argv);
        SpeakUsersLanguage();
        return ImportCommand::Run(arguments);
    }
    Globals globals;
    InitialiseGlobals(globals, ProgramFile::Path());
    if (IsCheckCommand(arguments)) {
        const QCoreApplication application(argc, argv);
        SpeakUsersLanguage();
        return RunCheckCommand(arguments, globals);
    }
    if (RefreshCommand::Requested(arguments)) {
        const QCoreApplication application(argc, argv);
        SpeakUsersLanguage();
        SystemctlRunner systemctl;
        return RefreshCommand::Run(arguments, globals, systemctl);
    }
    const CommandLine commandLine = CommandLine::Parse(arguments, globals.DefaultSettingsPath());
    globals.SettingsPath = commandLine.settingsPath;

    switch (commandLine.mode) {
    case CommandLine::Mode::Help: {
        const QCoreApplication application(argc, argv);
        SpeakUsersLanguage();
        std::fputs(CommandLine::HelpText(globals.DefaultSettingsPath()).c_str(), stdout);
        return 0;
    }
    case CommandLine::Mode::Version:
        std::printf("Linkshelf %s\n", VersionText().c_str());
        return 0;
    case CommandLine::Mode::Wizard:
        return RunWizard(argc, argv, globals);
    case CommandLine::Mode::Unattended:
    case CommandLine::Mode::MissingSettingsFile:
    case CommandLine::Mode::NotSettingsFile:
        break;
    }
    return RunWithoutWizard(argc, argv, globals, commandLine.mode);
}
