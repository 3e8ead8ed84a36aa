// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChangeTexts.h"

#include "platform/FilledText.h"

#include <algorithm>

namespace {

using Action = PlannedChange::Action;
using State = ChangeOutcome::State;

constexpr std::size_t NamesShown = 5;

int Number(std::size_t count) {
    return PluralCount(static_cast<long long>(count));
}

std::size_t CountOf(const std::vector<PlannedChange>& plan, Action action,
                    std::optional<CheckFinding::Kind> kind = std::nullopt) {
    return static_cast<std::size_t>(std::ranges::count_if(plan, [&](const PlannedChange& change) {
        return change.action == action && (!kind || change.kind == *kind);
    }));
}

std::size_t CountOf(const std::vector<ChangeOutcome>& outcomes, State state,
                    std::optional<Action> action = std::nullopt) {
    return static_cast<std::size_t>(std::ranges::count_if(outcomes, [&](const ChangeOutcome& o) {
        return o.state == state && (!action || o.change.action == *action);
    }));
}

std::string Reason(const Failure& failure) {
    return failure.cause.empty()
               ? failure.message
               : FilledText(QCoreApplication::translate("ChangeTexts", "%1（%2）"), failure.message,
                            failure.cause);
}

std::string Columns(std::initializer_list<std::string> cells) {
    std::string line;
    for (const std::string& cell : cells) {
        if (!line.empty())
            line += '\t';
        std::string one = cell;
        std::ranges::replace_if(
            one, [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
        line += one;
    }
    return line;
}

} // namespace

std::string ChangeTexts::PlanLine(const PlannedChange& change) {
    if (change.action == Action::UpdateAddress)
        return Columns(
            {FilledText(tr("将更新地址")), change.file, change.oldAddress, change.newAddress});
    return Columns({FilledText(tr("将移到回收站")), change.file, change.oldAddress});
}

std::string ChangeTexts::PlanSummary(const std::vector<PlannedChange>& plan) {
    return FilledText(
        tr("试运行：%1，%2；没有改动任何文件。"),
        tr("将更新 %n 个地址", nullptr, Number(CountOf(plan, Action::UpdateAddress))),
        tr("将把 %n 个文件移到回收站", nullptr, Number(CountOf(plan, Action::MoveToTrash))));
}

std::string ChangeTexts::OutcomeLine(const ChangeOutcome& outcome, BatchStep step) {
    const bool undo = step == BatchStep::Undone;
    const PlannedChange& change = outcome.change;
    const bool update = change.action == Action::UpdateAddress;
    switch (outcome.state) {
    case State::Skipped:
        return Columns({FilledText(tr("已跳过")), change.file, Reason(outcome.skipped)});
    case State::NotMade:
        return Columns({FilledText(tr("未曾改动")), change.file});
    case State::Done:
        break;
    }
    if (change.action == Action::SetIcon)
        return Columns({FilledText(undo ? tr("已去掉网站图标") : tr("已记下网站图标")), change.file,
                        change.iconFile});
    if (undo && update)
        return Columns(
            {FilledText(tr("已改回原地址")), change.file, change.newAddress, change.oldAddress});
    if (undo)
        return Columns({FilledText(tr("已从回收站还原")), change.file, outcome.place});
    if (update)
        return Columns(
            {FilledText(tr("已更新地址")), change.file, change.oldAddress, change.newAddress});
    return Columns({FilledText(tr("已移到回收站")), change.file, outcome.place});
}

std::string ChangeTexts::Summary(const std::vector<ChangeOutcome>& outcomes, BatchStep step) {
    const bool undo = step == BatchStep::Undone;
    const int updated = Number(CountOf(outcomes, State::Done, Action::UpdateAddress));
    const int trashed = Number(CountOf(outcomes, State::Done, Action::MoveToTrash));
    const int skipped = Number(CountOf(outcomes, State::Skipped));
    // Fetched icons make a batch of their own.
    if (undo && std::ranges::any_of(outcomes, [](const ChangeOutcome& outcome) {
            return outcome.change.action == Action::SetIcon;
        }))
        return FilledText(tr("已撤销：%1，%2。"),
                          tr("%n 个网站图标已去掉", nullptr,
                             Number(CountOf(outcomes, State::Done, Action::SetIcon))),
                          tr("%n 个跳过", nullptr, skipped));
    if (undo)
        return FilledText(tr("已撤销：%1，%2，%3。"), tr("%n 个地址已改回", nullptr, updated),
                          tr("%n 个文件已从回收站还原", nullptr, trashed),
                          tr("%n 个跳过", nullptr, skipped));
    return FilledText(tr("%1，%2，%3。"), tr("%n 个地址已更新", nullptr, updated),
                      tr("%n 个文件已移到回收站", nullptr, trashed),
                      tr("%n 个跳过", nullptr, skipped));
}

std::string ChangeTexts::QuestionCaption() {
    return FilledText(tr("改动快捷方式"));
}

std::string ChangeTexts::Question(const std::vector<PlannedChange>& plan) {
    using Kind = CheckFinding::Kind;
    std::string text = FilledText(tr("要做这些改动吗？"));
    const std::pair<std::size_t, QString> counts[]{
        {CountOf(plan, Action::UpdateAddress), tr("把 %n 个已移动的链接更新为新地址", nullptr,
                                                  Number(CountOf(plan, Action::UpdateAddress)))},
        {CountOf(plan, Action::MoveToTrash, Kind::Dead),
         tr("把 %n 个失效的链接移到回收站", nullptr,
            Number(CountOf(plan, Action::MoveToTrash, Kind::Dead)))},
        {CountOf(plan, Action::MoveToTrash, Kind::Duplicate),
         tr("把 %n 个多余的重复链接移到回收站", nullptr,
            Number(CountOf(plan, Action::MoveToTrash, Kind::Duplicate)))},
    };
    for (const auto& [count, line] : counts)
        if (count > 0)
            text += "\n" + FilledText(line);
    text += "\n";
    for (std::size_t i = 0; i < std::min(plan.size(), NamesShown); ++i)
        text += "\n" + plan[i].name;
    if (plan.size() > NamesShown)
        text += "\n" + FilledText(tr("……还有 %n 个", nullptr, Number(plan.size() - NamesShown)));
    return text + "\n\n" + FilledText(tr("改动可以撤销：文件放在回收站中，原来的地址记录在案。"));
}
