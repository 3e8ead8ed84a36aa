// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageCommand.h"

#include "app/ConsoleDesktop.h"
#include "app/UnattendedRun.h"
#include "app/WizardLock.h"
#include "controls/FocusFrameStyle.h"
#include "controls/WindowPlacement.h"
#include "desktop/DesktopApplication.h"
#include "desktop/QtDesktop.h"
#include "generation/GenerationRun.h"
#include "platform/FileChecks.h"
#include "platform/Language.h"
#include "platform/ProgramFile.h"
#include "text/Text.h"
#include "ui/FormMain.h"

#include <QApplication>
#include <QCoreApplication>
#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

bool IsRunSwitch(const std::string& argument) {
    return argument.size() == 4 && (argument[0] == '-' || argument[0] == '/') &&
           SameTextNoCase(argument.substr(1), "RUN");
}

bool EndsInLfs(const std::string& argument) {
    return argument.size() >= 4 && SameTextNoCase(argument.substr(argument.size() - 4), ".lfs");
}

// Every text of the run in the user's language, once the application object exists.
void SpeakUsersLanguage() {
    Language::Install(Language::OfUser());
}

void PrintError(const QString& text) {
    ConsoleDesktop().ShowMessage(DesktopServices::Icon::Error, "Linkshelf", text.toStdString());
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
int RunWithoutWizard(int argc, char** argv, Globals& globals, SettingsSource source) {
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
    const int status = RunUnattended(globals, source);
    DesktopServices::Install(nullptr);
    return status;
}

} // namespace

PageCommand::Request PageCommand::RequestOf(const std::vector<std::string>& operands,
                                            const std::string& defaultSettingsPath) {
    if (!operands.empty() && (FileExists(operands.front()) || EndsInLfs(operands.front())))
        return {operands.front(), SettingsSource::CommandLine, PageCommand::Mode::Unattended};
    const bool run = std::ranges::any_of(operands, IsRunSwitch);
    return {defaultSettingsPath, SettingsSource::Default,
            run ? PageCommand::Mode::Unattended : PageCommand::Mode::Wizard};
}

int PageCommand::Run(const Invocation& invocation) {
    Globals& globals = *invocation.globals;
    const Request request = RequestOf(invocation.operands, globals.DefaultSettingsPath());
    globals.SettingsPath = request.settingsPath;
    if (request.mode == Mode::Wizard)
        return RunWizard(*invocation.argc, invocation.argv, globals);
    return RunWithoutWizard(*invocation.argc, invocation.argv, globals, request.source);
}
