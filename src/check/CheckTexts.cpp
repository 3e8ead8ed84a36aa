// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckTexts.h"

#include "platform/FilledText.h"

#include <algorithm>

namespace {

int Number(std::size_t count) {
    return PluralCount(static_cast<long long>(count));
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
    const char* words = CheckReport::WordsFor(finding.cause).text;
    // The number of places is a count, so its words take the count's plural form.
    if (finding.cause == CheckFinding::Cause::Duplicate)
        return FilledText(tr(words, nullptr, PluralCount(std::stoll(finding.detail))));
    return CheckReport::StatusIn(tr(words), finding);
}

// Every count carries its own plural form, so the summary is put together from its parts.
std::string CheckTexts::Summary(const CheckReport& report) {
    using Kind = CheckFinding::Kind;
    std::string summary = report.stopped ? FilledText(tr("已停止。")) : "";
    summary +=
        FilledText(tr("已检查 %1：%2，%3，%4，%5；%6（%7）；%8。"),
                   tr("%1 / %n 个链接", nullptr, Number(report.total)).arg(Number(report.checked)),
                   tr("%n 个正常", nullptr, Number(report.ok)),
                   tr("%n 个失效", nullptr, Number(report.Count(Kind::Dead))),
                   tr("%n 个已移动", nullptr, Number(report.Count(Kind::Moved))),
                   tr("%n 个拒绝访问", nullptr, Number(report.Count(Kind::Blocked))),
                   tr("%n 个地址重复", nullptr, Number(report.DuplicateAddresses())),
                   tr("共 %n 处", nullptr, Number(report.Count(Kind::Duplicate))),
                   tr("%n 个未检查（其他协议）", nullptr, Number(report.notChecked)));
    if (report.unreachable > 0)
        summary += FilledText(
            tr("%n 个链接未检查：网络似乎无法连接。", nullptr, Number(report.unreachable)));
    if (report.stopped)
        summary += FilledText(
            tr("%n 个链接因检查停止而未检查。", nullptr,
               Number(report.total - report.checked - report.notChecked - report.unreachable)));
    if (report.remembered > 0)
        summary += FilledText(tr("%n 个结果取自先前的检查。", nullptr, Number(report.remembered)));
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
