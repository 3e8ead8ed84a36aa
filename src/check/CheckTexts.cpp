// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckTexts.h"

#include "FilledText.h"

#include <algorithm>

namespace {

long long Number(std::size_t count) {
    return static_cast<long long>(count);
}

// A name may hold a tab or a line break; a report line must stay one line of columns.
std::string OneLine(const std::string& text) {
    std::string line = text;
    std::ranges::replace_if(
        line, [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return line;
}

} // namespace

std::string CheckTexts::CheckingLinks(long long done, long long total) {
    return FilledText(tr("正在检查链接... %1 / %2"), done, total);
}

std::string CheckTexts::WaitingForHost(long long done, long long total, const std::string& host) {
    return FilledText(tr("正在检查链接... %1 / %2，正在等待 %3 应答..."), done, total, host);
}

std::vector<std::string> CheckTexts::FindingColumns() {
    return {FilledText(tr("类型")), FilledText(tr("状态")),   FilledText(tr("地址")),
            FilledText(tr("名称")), FilledText(tr("文件夹")), FilledText(tr("新地址或共同地址"))};
}

std::string CheckTexts::FindingKind(CheckFinding::Kind kind) {
    switch (kind) {
    case CheckFinding::Kind::Dead:
        return FilledText(tr("失效"));
    case CheckFinding::Kind::Moved:
        return FilledText(tr("已移动"));
    case CheckFinding::Kind::Blocked:
        return FilledText(tr("拒绝访问"));
    case CheckFinding::Kind::Duplicate:
        return FilledText(tr("重复"));
    case CheckFinding::Kind::NotChecked:
        break;
    }
    return FilledText(tr("未检查"));
}

std::string CheckTexts::FindingStatus(const CheckFinding& finding) {
    return CheckReport::StatusIn(tr(CheckReport::WordsFor(finding.cause).text), finding);
}

std::string CheckTexts::Summary(const CheckReport& report) {
    using Kind = CheckFinding::Kind;
    std::string summary = report.stopped ? FilledText(tr("已停止。")) : "";
    summary += FilledText(tr("已检查 %1 / %2 个链接：%3 个正常，%4 个失效，%5 个已移动，%6 "
                             "个拒绝访问；%7 个地址重复（共 %8 处）；%9 个未检查（其他协议）。"),
                          Number(report.checked), Number(report.total), Number(report.ok),
                          Number(report.Count(Kind::Dead)), Number(report.Count(Kind::Moved)),
                          Number(report.Count(Kind::Blocked)), Number(report.DuplicateAddresses()),
                          Number(report.Count(Kind::Duplicate)), Number(report.notChecked));
    if (report.remembered > 0)
        summary += FilledText(tr("%1 个结果取自先前的检查。"), Number(report.remembered));
    return summary;
}

std::string CheckTexts::Report(const CheckReport& report) {
    std::string text;
    for (const CheckFinding& finding : report.findings) {
        text.append(FindingKind(finding.kind)).append("\t").append(FindingStatus(finding));
        text.append("\t").append(OneLine(finding.address));
        text.append("\t").append(OneLine(finding.name));
        text.append("\t").append(OneLine(finding.folder));
        if (!finding.target.empty())
            text.append("\t").append(OneLine(finding.target));
        text.append("\n");
    }
    return text.append(Summary(report)).append("\n");
}
