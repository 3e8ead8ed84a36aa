// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CheckReport.h"

#include <QString>
#include <string>
#include <string_view>
#include <vector>

// A text of the program, UTF-8 like all of them, as the widgets take it.
inline QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The wizard's own texts. Their runs of blanks and CR LF pairs are part of them.
namespace Strings {

inline constexpr const char* FinishCaption = "完成(&F)";
inline constexpr const char* ExitCaption = "退出(&X)";
inline constexpr const char* BackCaption = "< 返回(&B)";
inline constexpr const char* NextCaption = "继续(&N) >";
inline constexpr const char* OptionsCaption = "选项(&O)";
inline constexpr const char* CloseCaption = "关闭";

inline constexpr const char* ProgressCaption = "正在工作...";
inline constexpr const char* FreeSoftware =
    "该程序是免费的。要获得更多更好的软件，请访问我们的主页：";
inline constexpr const char* Copyright = "版权所有 © 2026 Linkshelf 项目";
inline constexpr const char* Credit = "开发：Linkshelf 团队，以 Qt 构建";
inline constexpr const char* SourceFolderLabel = "从这个文件夹内的链接生成页面(&G)：";
inline constexpr const char* IncludeSubfolders = "包括子文件夹";
inline constexpr const char* OutputFileLabel = "保存生成的页面到这个文件(&A)：";
inline constexpr const char* PageTitleLabel = "页面标题(&T)：";
inline constexpr const char* PageFontLabel = "您页面的字体(&A)";
inline constexpr const char* ShowUrl = "在网站名称后显示当前 URL (&S)";
inline constexpr const char* TextColorLabel = "文本颜色";
inline constexpr const char* LinkColorLabel = "链接颜色";
inline constexpr const char* VLinkColorLabel = "访问过的链接颜色";
inline constexpr const char* LaunchBrowser = "完成时用网页浏览器载入(&W)";
inline constexpr const char* PickerTitle = "选择包括您想使用的的链接的文件夹：";
inline constexpr const char* PickerCheckBox = "包括子文件夹(&S)";
inline constexpr const char* HtmlFilter = "HTML 文件 (*.html *.htm)";
inline constexpr const char* OptionsMore = "更多(&M)...";
inline constexpr const char* OptionsLoad = "从文件载入选项(&L)...";
inline constexpr const char* OptionsSave = "保存选项到文件(&S)...";
inline constexpr const char* OptionsDefault = "载入工厂默认(&D)";
inline constexpr const char* SettingsFilter = "Linkshelf 设置文件 (*.lfs)";
inline constexpr const char* SettingsLoaded = "成功地从文件载入设置！";
inline constexpr const char* DefaultsLoaded = "默认设置已载入！";
inline constexpr const char* OptionsCaptionTitle = "选项";
inline constexpr const char* IgnoredFoldersTab = "忽略文件夹";
inline constexpr const char* AddCaption = "添加(&A)...";
inline constexpr const char* RemoveCaption = "移除(&R)";
inline constexpr const char* OkCaption = "确定";
inline constexpr const char* CancelCaption = "取消";
inline constexpr const char* OptionsImport = "从浏览器导入书签(&I)...";
inline constexpr const char* ImportCaptionTitle = "导入书签";
inline constexpr const char* ImportSourcesLabel = "从这里导入书签(&S)：";
inline constexpr const char* ImportChooseFile = "选择导出的书签文件...";
inline constexpr const char* ImportFolderLabel = "导入到这个文件夹(&F)：";
inline constexpr const char* ImportButton = "导入(&I)";
inline constexpr const char* ImportPickerTitle = "选择导入书签的文件夹：";
inline constexpr const char* BookmarkFilter = "书签文件 (*.html *.htm *.json *.sqlite Bookmarks)";
inline constexpr const char* WorkingTitle = "Linkshelf： 正在工作中...   ";
inline constexpr const char* OptionsCheckLinks = "检查链接(&C)...";
inline constexpr const char* CheckLinksTitle = "检查链接";
inline constexpr const char* CopyReportCaption = "复制报告(&C)";
inline constexpr const char* RecheckBadCaption = "只检查失效的链接(&R)";
inline constexpr const char* CheckLinksHint = "双击一行可在网页浏览器中打开该地址。";

// The link check's texts: progress, the findings table and the summary.
std::string CheckingLinks(long long done, long long total);
// The progress when nothing has finished for a while, naming the host the check waits on.
std::string WaitingForHost(long long done, long long total, const std::string& host);
std::vector<std::string> FindingColumns();
std::string FindingKind(CheckFinding::Kind kind);
std::string FindingStatus(const CheckFinding& finding);
std::string CheckSummary(const CheckReport& report);

std::string Welcome();
std::string FileNameHelp();
std::string ReadyToFinish();
std::string PageInfo();
std::string ColorHelp();
std::string VersionLabel();
// The window caption for a page of the wizard.
std::string Caption(int pageIndex, int pageCount);

} // namespace Strings
