// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChangePlan.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

using Kind = CheckFinding::Kind;

bool IsFirstPlace(const CheckFinding& finding) {
    return finding.place == finding.order;
}

// Duplicate findings chosen in every place of their group: the group's first place stays.
std::set<std::size_t> KeptPlaces(const CheckReport& report,
                                 const std::vector<std::size_t>& chosen) {
    std::map<std::size_t, std::size_t> places;
    std::map<std::size_t, std::size_t> picked;
    for (const CheckFinding& finding : report.findings)
        if (finding.kind == Kind::Duplicate)
            ++places[finding.order];
    for (const std::size_t index : chosen)
        if (report.findings[index].kind == Kind::Duplicate)
            ++picked[report.findings[index].order];
    std::set<std::size_t> kept;
    for (const auto& [group, count] : picked)
        if (count >= places[group])
            kept.insert(group);
    return kept;
}

} // namespace

std::vector<std::size_t> ChooseFindings(const CheckReport& report, ChangeKinds kinds) {
    std::vector<std::size_t> chosen;
    for (std::size_t i = 0; i < report.findings.size(); ++i) {
        const CheckFinding& finding = report.findings[i];
        if ((finding.kind == Kind::Moved && kinds.updateMoved) ||
            (finding.kind == Kind::Dead && kinds.trashDead) ||
            (finding.kind == Kind::Duplicate && kinds.trashDuplicates && !IsFirstPlace(finding)))
            chosen.push_back(i);
    }
    return chosen;
}

std::vector<PlannedChange> PlanChanges(const CheckReport& report,
                                       const std::vector<LinkToCheck>& links,
                                       const std::vector<std::size_t>& chosen) {
    const std::set<std::size_t> kept = KeptPlaces(report, chosen);
    std::map<std::size_t, PlannedChange> byLink;
    for (const std::size_t index : chosen) {
        const CheckFinding& finding = report.findings[index];
        if (finding.place >= links.size() || links[finding.place].file.empty())
            continue;
        const LinkToCheck& link = links[finding.place];
        PlannedChange change{PlannedChange::Action::MoveToTrash,
                             finding.kind,
                             link.file,
                             link.name,
                             link.address,
                             {},
                             link.stamp};
        if (finding.kind == Kind::Moved) {
            change.action = PlannedChange::Action::UpdateAddress;
            change.newAddress = finding.target;
        } else if (finding.kind == Kind::Duplicate) {
            if (IsFirstPlace(finding) && kept.contains(finding.order))
                continue;
        } else if (finding.kind != Kind::Dead) {
            continue;
        }
        const auto [at, added] = byLink.try_emplace(finding.place, change);
        if (!added && change.action == PlannedChange::Action::MoveToTrash)
            at->second = change;
    }
    std::vector<PlannedChange> plan;
    plan.reserve(byLink.size());
    for (auto& [link, change] : byLink)
        plan.push_back(std::move(change));
    return plan;
}
