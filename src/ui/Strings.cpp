// SPDX-License-Identifier: GPL-3.0-or-later
#include "Strings.h"

#include "Globals.h"

namespace Strings {

namespace {

std::string Blanks(std::size_t count) {
    return std::string(count, ' ');
}

} // namespace

std::string Welcome() {
    return "欢迎您使用 Linkshelf 。这个程序自动从 Internet Explorer "
           "收藏文件夹中生成列出您的分组收藏夹链接的 HTML 页面。" +
           Blanks(31) +
           "\r\n通过单击“继续 >”按钮来开始自定义页面。如果您想完全自定义最终 HTML 页面，请阅读 "
           "Readme.txt 文件上有关如何制作一个自定义模板的内容。" +
           Blanks(45);
}

std::string FileNameHelp() {
    return "从将要采取行动的链接那儿选择组，同时指定您想创建的 HTML "
           "文件的名称。默认方式中，一个命名为 "
           "Linkpage.htm 的文件将会创建在您的桌面上，这样您可以拖动它到一个您稍后选择的文件夹。 "
           "单击“默认”将还原默认设置。" +
           Blanks(81);
}

std::string ReadyToFinish() {
    return "Linkshelf已经准备好制成页面。" + Blanks(18) +
           "\r\n\r\n如果您愿意，您可以回头去更改您的设置，否则请单击“完成”来完成您的书签页面的创建"
           "。" +
           Blanks(38);
}

std::string PageInfo() {
    return "请为您的页面指定标题，字体和其它设置。" + Blanks(22);
}

std::string ColorHelp() {
    return "为您的页面选择颜色。" + Blanks(12) +
           "\r\n\r\n您可以用鼠标单击它，来更改各个项目的颜色。单击“默认”将使用默认的颜色。" +
           Blanks(45);
}

std::string VersionLabel() {
    return "Linkshelf ver. " + VersionText();
}

std::string Caption(int pageIndex, int pageCount) {
    if (pageIndex == 0)
        return "Linkshelf： 欢迎您" + Blanks(7);
    if (pageIndex == pageCount - 1)
        return "Linkshelf： 已经完成" + Blanks(6);
    return "Linkshelf： 步骤 " + std::to_string(pageIndex) + " / " + std::to_string(pageCount - 2) +
           Blanks(7);
}

std::string CheckingLinks(long long done, long long total) {
    return "正在检查链接... " + std::to_string(done) + " / " + std::to_string(total);
}

std::string WaitingForHost(long long done, long long total, const std::string& host) {
    return CheckingLinks(done, total) + "，正在等待 " + host + " 应答...";
}

std::vector<std::string> FindingColumns() {
    return {"类型", "状态", "地址", "名称", "文件夹", "新地址或共同地址"};
}

std::string FindingKind(CheckFinding::Kind kind) {
    switch (kind) {
    case CheckFinding::Kind::Dead:
        return "失效";
    case CheckFinding::Kind::Moved:
        return "已移动";
    case CheckFinding::Kind::Blocked:
        return "拒绝访问";
    case CheckFinding::Kind::Duplicate:
        return "重复";
    case CheckFinding::Kind::NotChecked:
        break;
    }
    return "未检查";
}

std::string FindingStatus(const CheckFinding& finding) {
    using Cause = CheckFinding::Cause;
    switch (finding.cause) {
    case Cause::HttpStatus:
        return std::to_string(finding.httpStatus);
    case Cause::NameNotFound:
        return "找不到主机名";
    case Cause::ConnectionRefused:
        return "连接被拒绝";
    case Cause::ConnectionReset:
        return "连接被重置";
    case Cause::TlsFailure:
        return "TLS 握手失败";
    case Cause::TimeOut:
        return "超时";
    case Cause::HostSilent:
        return "主机没有应答";
    case Cause::RateLimited:
        return "访问过于频繁，被限制";
    case Cause::RedirectLoop:
        return "重定向循环";
    case Cause::TooManyRedirects:
        return "重定向次数过多";
    case Cause::RedirectWithoutLocation:
        return "重定向没有目标地址";
    case Cause::BadRedirect:
        return "重定向到无效地址";
    case Cause::RedirectElsewhere:
        return "重定向到 " + finding.detail + ": 地址";
    case Cause::Malformed:
        return "服务器的应答格式错误";
    case Cause::BadAddress:
        return "地址无效";
    case Cause::FileMissing:
        return "文件不存在";
    case Cause::Duplicate:
        return "共 " + finding.detail + " 处";
    case Cause::Stopped:
        return "检查已停止";
    case Cause::NetworkError:
        break;
    }
    return finding.detail;
}

std::string CheckSummary(const CheckReport& report) {
    const auto count = [](std::size_t n) { return std::to_string(n); };
    return std::string(report.stopped ? "已停止。" : "") + "已检查 " + count(report.checked) +
           " / " + count(report.total) + " 个链接：" + count(report.ok) + " 个正常，" +
           count(report.Count(CheckFinding::Kind::Dead)) + " 个失效，" +
           count(report.Count(CheckFinding::Kind::Moved)) + " 个已移动，" +
           count(report.Count(CheckFinding::Kind::Blocked)) + " 个拒绝访问；" +
           count(report.DuplicateAddresses()) + " 个地址重复（共 " +
           count(report.Count(CheckFinding::Kind::Duplicate)) + " 处）；" +
           count(report.notChecked) + " 个未检查（其他协议）。" +
           (report.remembered > 0 ? count(report.remembered) + " 个结果取自先前的检查。" : "");
}

} // namespace Strings
