// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormRefresh.h"

#include "generation/GenerationRun.h"
#include "platform/ProgramFile.h"
#include "platform/Utf8Text.h"
#include "refresh/RefreshPlanner.h"
#include "refresh/RefreshUnits.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLabel* WrappedLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

FormRefresh::FormRefresh(QWidget* owner, const Settings& settings, const Globals& globals,
                         SystemctlRunner& systemctl)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      settings_(settings), globals_(globals), setup_(systemctl), state_(setup_.Current()),
      available_(state_.reachable && state_.installed) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("refreshDialog");
    setWindowTitle(tr("自动更新页面"));
    if (owner != nullptr)
        setFont(owner->font());
    CreateControls();
    ShowState();
    // As wide as a path usually needs; the wrapped texts then decide the height.
    constexpr int width = 440;
    resize(width, heightForWidth(width));
}

void FormRefresh::CreateControls() {
    pageLabel = WrappedLabel(this, "pageLabel");
    stateLabel = WrappedLabel(this, "stateLabel");
    offButton = new QRadioButton(tr("不自动更新(&N)"), this);
    offButton->setObjectName("offButton");
    dailyButton = new QRadioButton(tr("每天更新(&D)"), this);
    dailyButton->setObjectName("dailyButton");
    hourlyButton = new QRadioButton(tr("每小时更新(&H)"), this);
    hourlyButton->setObjectName("hourlyButton");
    onChangeBox = new QCheckBox(tr("快捷方式文件夹改变时也更新(&C)"), this);
    onChangeBox->setObjectName("onChangeBox");
    cronLabel = WrappedLabel(this, "cronLabel");
    cronLine = new QLineEdit(this);
    cronLine->setObjectName("cronLine");
    cronLine->setReadOnly(true);
    cronLine->setAccessibleName(tr("crontab 行"));

    buttons = new QDialogButtonBox(available_ ? QDialogButtonBox::Ok | QDialogButtonBox::Cancel
                                              : QDialogButtonBox::Close,
                                   this);
    if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) {
        ok->setObjectName("okButton");
        connect(ok, &QPushButton::clicked, this, &FormRefresh::onOkClicked);
    }
    for (const auto which : {QDialogButtonBox::Cancel, QDialogButtonBox::Close})
        if (QPushButton* button = buttons->button(which)) {
            button->setObjectName(which == QDialogButtonBox::Cancel ? "cancelButton"
                                                                    : "closeButton");
            connect(button, &QPushButton::clicked, this, &FormRefresh::close);
        }
    for (QRadioButton* button : {offButton, dailyButton, hourlyButton})
        connect(button, &QRadioButton::toggled, this, &FormRefresh::onChoiceChanged);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pageLabel);
    layout->addWidget(stateLabel);
    layout->addSpacing(layout->spacing());
    for (QWidget* widget : std::initializer_list<QWidget*>{offButton, dailyButton, hourlyButton,
                                                           onChangeBox, cronLabel, cronLine})
        layout->addWidget(widget);
    layout->addSpacing(layout->spacing());
    layout->addWidget(buttons);
}

void FormRefresh::ShowState() {
    const RefreshPlan plan = PlanOfChoice();
    std::string page = tr("自动更新按默认设置文件 \"%1\" 重新生成页面 \"%2\"。")
                           .arg(Q(globals_.DefaultSettingsPath()), Q(plan.pagePath))
                           .toStdString();
    if (const auto& import = plan.import)
        page += tr("每次更新前先重新导入 %1 的书签。").arg(Q(import->name)).toStdString();
    if (!DefaultFileIsCurrent())
        page += "\n" + tr("您现在用的是另一个设置文件，自动更新不使用它。").toStdString();
    else if (available_)
        page += "\n" + tr("按“确定”时，向导中的设置先保存到默认设置文件。").toStdString();
    pageLabel->setText(Q(page));

    QString state = !state_.on ? tr("现在不自动更新页面。")
                    : state_.schedule == RefreshSchedule::Hourly ? tr("现在每小时自动更新页面。")
                                                                 : tr("现在每天自动更新页面。");
    if (state_.onChange)
        state += tr("快捷方式文件夹改变时也会更新。");
    if (state_.lastRunFailed)
        state += "\n" + tr("上次自动更新失败了：原因见 \"journalctl --user -u "
                           "linkshelf-refresh.service\"。");
    stateLabel->setText(state);

    (!state_.on                                   ? offButton
     : state_.schedule == RefreshSchedule::Hourly ? hourlyButton
                                                  : dailyButton)
        ->setChecked(true);
    onChangeBox->setChecked(state_.onChange);
    // Without a manager nothing runs, so no choice of what runs is shown either: only cron's line.
    for (QWidget* widget : std::initializer_list<QWidget*>{stateLabel, offButton, dailyButton,
                                                           hourlyButton, onChangeBox})
        widget->setVisible(available_);
    cronLabel->setVisible(!available_);
    cronLine->setVisible(!available_);
    if (!available_) {
        dailyButton->setChecked(true);
        cronLabel->setText(Q(RefreshSetup::Unavailable(state_) + "\n" + RefreshSetup::UseCron()) +
                           tr("要每小时更新，把 @daily 换成 @hourly。"));
        cronLine->setText(Q(RefreshUnits::CrontabLine(PlanOfChoice())));
    }
    onChoiceChanged();
}

void FormRefresh::onChoiceChanged() {
    onChangeBox->setEnabled(available_ && !offButton->isChecked());
}

bool FormRefresh::DefaultFileIsCurrent() const {
    return globals_.SettingsPath == globals_.DefaultSettingsPath();
}

// The plan for what is chosen, as far as it can be made: the page and the import are shown
// even while the settings would refuse a refresh (a folder that is missing, say).
RefreshPlan FormRefresh::PlanOfChoice() const {
    RefreshPlan plan;
    plan.schedule = hourlyButton != nullptr && hourlyButton->isChecked() ? RefreshSchedule::Hourly
                                                                         : RefreshSchedule::Daily;
    plan.program = ProgramFile::Path();
    if (DefaultFileIsCurrent())
        (void)RefreshPlanner::Complete(plan, settings_, globals_);
    else
        (void)RefreshPlanner::Complete(plan, globals_.DefaultSettingsPath(), globals_);
    return plan;
}

void FormRefresh::onOkClicked() {
    if (const Result applied = Apply(); !applied) {
        ShowError(applied.failure().Text());
        return;
    }
    accept();
}

Result FormRefresh::Apply() {
    if (offButton->isChecked())
        return state_.on ? setup_.TurnOff() : Result();
    if (DefaultFileIsCurrent())
        if (Result saved = WriteSettings(globals_.DefaultSettingsPath(), settings_, globals_);
            !saved)
            return saved;
    RefreshPlan plan;
    plan.schedule = hourlyButton->isChecked() ? RefreshSchedule::Hourly : RefreshSchedule::Daily;
    plan.onChange = onChangeBox->isChecked();
    plan.program = ProgramFile::Path();
    if (Result planned = RefreshPlanner::Complete(plan, globals_.DefaultSettingsPath(), globals_);
        !planned)
        return planned;
    return setup_.TurnOn(plan);
}
