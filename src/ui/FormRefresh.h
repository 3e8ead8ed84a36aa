// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "refresh/RefreshPlan.h"
#include "refresh/RefreshSetup.h"
#include "settings/Globals.h"
#include "settings/Settings.h"

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SystemctlRunner;

// The dialog that keeps the page of the default settings file up to date: it shows whether a
// refresh is on and when it runs, and turns it on (daily or hourly, and optionally when the
// folder of shortcuts changes), changes it or turns it off. Where no systemd user manager can
// run it, it says so and shows the crontab line instead. It frees itself once closed.
class FormRefresh : public QDialog {
    Q_OBJECT

public:
    // settings: the wizard's own, saved to the default settings file before a refresh is turned
    // on while that file is the current one, so that the refresh makes the page the user sees.
    FormRefresh(QWidget* owner, const Settings& settings, const Globals& globals,
                SystemctlRunner& systemctl);

private slots:
    void onOkClicked();
    void onChoiceChanged();

private:
    void CreateControls();
    void ShowState();
    bool DefaultFileIsCurrent() const;
    RefreshPlan PlanOfChoice() const;
    Result Apply();

    Settings settings_;
    const Globals& globals_;
    RefreshSetup setup_;
    RefreshSetup::State state_;
    // Whether a user manager with the units is there to run the refresh; cron's line otherwise.
    bool available_;

    QLabel* pageLabel{};
    QLabel* stateLabel{};
    QRadioButton* offButton{};
    QRadioButton* dailyButton{};
    QRadioButton* hourlyButton{};
    QCheckBox* onChangeBox{};
    QLabel* cronLabel{};
    QLineEdit* cronLine{};
    QDialogButtonBox* buttons{};
};
