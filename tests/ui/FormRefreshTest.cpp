// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FormRefresh.h"

#include "RecordingDesktop.h"
#include "RecordingSystemctl.h"
#include "TempTree.h"
#include "WizardControls.h"
#include "platform/ProgramFile.h"
#include "refresh/RefreshUnits.h"
#include "ui/FormMain.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

using Calls = std::vector<std::string>;

std::string S(const QString& text) {
    return text.toStdString();
}

// The wizard on a folder of shortcuts, with systemctl played by a recorder, its refresh dialog
// opened from the Options menu as the user opens it.
class Refresh : public testing::Test {
protected:
    Refresh() : home_(qgetenv("HOME")), configHome_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("HOME", QByteArray::fromStdString(tree.Path("home")));
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(tree.Path("home/.config")));
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope,
                           QString::fromStdString(tree.Path("etc")));
        tree.Shortcut("Fav/a.url", "https://a.example/");
        tree.Write("program/Linkshelf.lft", "%LF_LINKS_HTML%");
        globals.Layout = ProgramLayout::Portable(tree.Path("program/"));
        globals.TemplatePath = tree.Path("program/Linkshelf.lft");
        globals.DesktopFolder = tree.Path("desk/");
        globals.SettingsPath = globals.DefaultSettingsPath();
        form = std::make_unique<FormMain>(globals, tree.Path("program/linkshelf"));
        form->Systemctl = &systemctl;
        ChangeSetting(*form, &Settings::sourceFolder, tree.Path("Fav"));
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    ~Refresh() override {
        qputenv("HOME", home_);
        qputenv("XDG_CONFIG_HOME", configHome_);
    }

    // Clicks Options, then the refresh item, and lets act play the user in the dialog; act
    // ends by closing it.
    void WithDialog(const std::function<void(FormRefresh&)>& act) {
        bool opened = false;
        form->OnRefreshDialog = [&](FormRefresh& dialog) {
            opened = true;
            QTimer::singleShot(0, &dialog, [&dialog, &act] { act(dialog); });
        };
        QTest::mouseClick(Find<QPushButton>(*form, "optionsButton"), Qt::LeftButton);
        auto* menu = Find<QMenu>(*form, "optionsMenu");
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(Find<QAction>(*form, "refreshAction")).center());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(opened);
    }

    // A click on the round or square box of a choice, where the user clicks.
    static void ClickBox(QWidget* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }

    std::string DropIn(std::string_view name) const {
        return "home/.config/systemd/user/" + std::string(name);
    }

    TempTree tree;
    Globals globals;
    RecordingDesktop desktop;
    RecordingSystemctl systemctl;
    std::unique_ptr<FormMain> form;

private:
    QByteArray home_;
    QByteArray configHome_;
};

TEST_F(Refresh, TurningOnSavesTheWizardsSettingsAndEnablesTheUnits) {
    WithDialog([&](FormRefresh& dialog) {
        EXPECT_EQ(S(Find<QLabel>(dialog, "stateLabel")->text()), "现在不自动更新页面。");
        EXPECT_TRUE(Find<QRadioButton>(dialog, "offButton")->isChecked());
        EXPECT_FALSE(Find<QCheckBox>(dialog, "onChangeBox")->isEnabled());
        EXPECT_FALSE(Find<QLineEdit>(dialog, "cronLine")->isVisible());
        ClickBox(Find<QRadioButton>(dialog, "hourlyButton"));
        ClickBox(Find<QCheckBox>(dialog, "onChangeBox"));
        QTest::mouseClick(Find<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    });
    EXPECT_EQ(desktop.events, Calls{});
    EXPECT_EQ(Calls(systemctl.calls.begin() + 1, systemctl.calls.end()),
              (Calls{"daemon-reload", "enable --now linkshelf-refresh.timer",
                     "enable --now linkshelf-refresh.path"}));
    EXPECT_EQ(tree.Read(DropIn(RefreshUnits::ScheduleDropIn)),
              RefreshUnits::Schedule(RefreshSchedule::Hourly));
    EXPECT_NE(tree.Read(DropIn(RefreshUnits::WatchDropIn)).find("PathChanged=" + tree.Path("Fav")),
              std::string::npos);
    EXPECT_NE(tree.Read("program/Linkshelf.lfs").find("SourceFolder=" + tree.Path("Fav")),
              std::string::npos)
        << "the refresh builds the page of the settings the wizard shows";
}

TEST_F(Refresh, ShowsWhatIsOnAndTurnsItOff) {
    systemctl.timerEnabled = true;
    systemctl.pathEnabled = true;
    tree.Write(DropIn(RefreshUnits::ScheduleDropIn),
               RefreshUnits::Schedule(RefreshSchedule::Hourly));
    tree.Write(DropIn(RefreshUnits::WatchDropIn), "[Path]\n");
    WithDialog([&](FormRefresh& dialog) {
        EXPECT_EQ(S(Find<QLabel>(dialog, "stateLabel")->text()),
                  "现在每小时自动更新页面。快捷方式文件夹改变时也会更新。");
        EXPECT_TRUE(Find<QRadioButton>(dialog, "hourlyButton")->isChecked());
        EXPECT_TRUE(Find<QCheckBox>(dialog, "onChangeBox")->isChecked());
        ClickBox(Find<QRadioButton>(dialog, "offButton"));
        EXPECT_FALSE(Find<QCheckBox>(dialog, "onChangeBox")->isEnabled());
        QTest::mouseClick(Find<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    });
    EXPECT_EQ(desktop.events, Calls{});
    EXPECT_FALSE(systemctl.timerEnabled);
    EXPECT_FALSE(systemctl.pathEnabled);
    EXPECT_FALSE(std::filesystem::exists(tree.Path(DropIn(RefreshUnits::ScheduleDropIn))));
    EXPECT_FALSE(std::filesystem::exists(tree.Path(DropIn(RefreshUnits::WatchDropIn))));
}

TEST_F(Refresh, WithoutAManagerNoOptionLooksActiveAndCronsLineIsShown) {
    systemctl.reachable = false;
    WithDialog([&](FormRefresh& dialog) {
        auto* cronLine = Find<QLineEdit>(dialog, "cronLine");
        EXPECT_TRUE(cronLine->isVisible());
        EXPECT_EQ(S(cronLine->text()), "@daily " + ProgramFile::Path() + " -RUN");
        const std::string said = S(Find<QLabel>(dialog, "cronLabel")->text());
        EXPECT_EQ(said.find("No medium found"), std::string::npos) << said;
        EXPECT_NE(said.find("systemd 用户实例"), std::string::npos) << said;
        EXPECT_EQ(dialog.findChild<QPushButton*>("okButton"), nullptr);
        for (const char* name : {"offButton", "dailyButton", "hourlyButton", "onChangeBox"})
            EXPECT_FALSE(Find<QWidget>(dialog, name)->isVisible()) << name;
        QTest::mouseClick(Find<QPushButton>(dialog, "closeButton"), Qt::LeftButton);
    });
    EXPECT_EQ(systemctl.calls.size(), 1U) << "only asked what there is";
    EXPECT_FALSE(std::filesystem::exists(tree.Path("home/.config/systemd")));
}

TEST_F(Refresh, ARefreshThatWouldFailIsRefusedAndTheDialogStays) {
    ChangeSetting(*form, &Settings::sourceFolder, tree.Path("stick/Links"));
    bool stayed = false;
    WithDialog([&](FormRefresh& dialog) {
        ClickBox(Find<QRadioButton>(dialog, "dailyButton"));
        QTest::mouseClick(Find<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        stayed = dialog.isVisible();
        QTest::mouseClick(Find<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
    });
    EXPECT_TRUE(stayed);
    ASSERT_EQ(desktop.events.size(), 2U);
    EXPECT_EQ(desktop.events[0], "beep");
    EXPECT_NE(desktop.events[1].find(tree.Path("stick/Links")), std::string::npos);
    EXPECT_EQ(systemctl.calls.size(), 1U) << "nothing enabled";
    EXPECT_FALSE(systemctl.timerEnabled);
}

} // namespace
