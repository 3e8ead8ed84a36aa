// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <string>
#include <string_view>

// A text of the program, UTF-8 like all of them, as the widgets take it.
inline QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A text of the wizard, written in Chinese and shown in the run's language.
struct Phrase {
    const char* source;
};

inline QString Q(Phrase phrase) {
    return QCoreApplication::translate("Strings", phrase.source);
}

// The wizard's own texts. Their runs of blanks and CR LF pairs are part of them.
namespace Strings {

inline constexpr Phrase FinishCaption{QT_TRANSLATE_NOOP("Strings", "完成(&F)")};
inline constexpr Phrase ExitCaption{QT_TRANSLATE_NOOP("Strings", "退出(&X)")};
inline constexpr Phrase BackCaption{QT_TRANSLATE_NOOP("Strings", "< 返回(&B)")};
inline constexpr Phrase NextCaption{QT_TRANSLATE_NOOP("Strings", "继续(&N) >")};
inline constexpr Phrase OptionsCaption{QT_TRANSLATE_NOOP("Strings", "选项(&O)")};
inline constexpr Phrase CloseCaption{QT_TRANSLATE_NOOP("Strings", "关闭")};

inline constexpr Phrase ProgressCaption{QT_TRANSLATE_NOOP("Strings", "正在工作...")};
inline constexpr Phrase FreeSoftware{
    QT_TRANSLATE_NOOP("Strings", "该程序是免费的。要获得更多更好的软件，请访问我们的主页：")};
inline constexpr Phrase Copyright{QT_TRANSLATE_NOOP("Strings", "版权所有 © 2026 Linkshelf 项目")};
inline constexpr Phrase Credit{QT_TRANSLATE_NOOP("Strings", "开发：Linkshelf 团队，以 Qt 构建")};
inline constexpr Phrase SourceFolderLabel{
    QT_TRANSLATE_NOOP("Strings", "从这个文件夹内的链接生成页面(&G)：")};
inline constexpr Phrase IncludeSubfolders{QT_TRANSLATE_NOOP("Strings", "包括子文件夹")};
inline constexpr Phrase OutputFileLabel{
    QT_TRANSLATE_NOOP("Strings", "保存生成的页面到这个文件(&A)：")};
inline constexpr Phrase PageTitleLabel{QT_TRANSLATE_NOOP("Strings", "页面标题(&T)：")};
inline constexpr Phrase PageFontLabel{QT_TRANSLATE_NOOP("Strings", "您页面的字体(&A)")};
inline constexpr Phrase ShowUrl{QT_TRANSLATE_NOOP("Strings", "在网站名称后显示当前 URL (&S)")};
inline constexpr Phrase TextColorLabel{QT_TRANSLATE_NOOP("Strings", "文本颜色")};
inline constexpr Phrase LinkColorLabel{QT_TRANSLATE_NOOP("Strings", "链接颜色")};
inline constexpr Phrase VLinkColorLabel{QT_TRANSLATE_NOOP("Strings", "访问过的链接颜色")};
inline constexpr Phrase LaunchBrowser{QT_TRANSLATE_NOOP("Strings", "完成时用网页浏览器载入(&W)")};
inline constexpr Phrase PickerTitle{
    QT_TRANSLATE_NOOP("Strings", "选择包括您想使用的的链接的文件夹：")};
inline constexpr Phrase PickerCheckBox{QT_TRANSLATE_NOOP("Strings", "包括子文件夹(&S)")};
inline constexpr Phrase HtmlFilter{QT_TRANSLATE_NOOP("Strings", "HTML 文件 (*.html *.htm)")};
inline constexpr Phrase OptionsMore{QT_TRANSLATE_NOOP("Strings", "更多(&M)...")};
inline constexpr Phrase OptionsLoad{QT_TRANSLATE_NOOP("Strings", "从文件载入选项(&L)...")};
inline constexpr Phrase OptionsSave{QT_TRANSLATE_NOOP("Strings", "保存选项到文件(&S)...")};
inline constexpr Phrase OptionsDefault{QT_TRANSLATE_NOOP("Strings", "载入工厂默认(&D)")};
inline constexpr Phrase SettingsFilter{QT_TRANSLATE_NOOP("Strings", "Linkshelf 设置文件 (*.lfs)")};
inline constexpr Phrase SettingsLoaded{QT_TRANSLATE_NOOP("Strings", "成功地从文件载入设置！")};
inline constexpr Phrase DefaultsLoaded{QT_TRANSLATE_NOOP("Strings", "默认设置已载入！")};
inline constexpr Phrase OptionsCaptionTitle{QT_TRANSLATE_NOOP("Strings", "选项")};
inline constexpr Phrase IgnoredFoldersTab{QT_TRANSLATE_NOOP("Strings", "忽略文件夹")};
inline constexpr Phrase AddCaption{QT_TRANSLATE_NOOP("Strings", "添加(&A)...")};
inline constexpr Phrase RemoveCaption{QT_TRANSLATE_NOOP("Strings", "移除(&R)")};
inline constexpr Phrase OkCaption{QT_TRANSLATE_NOOP("Strings", "确定")};
inline constexpr Phrase CancelCaption{QT_TRANSLATE_NOOP("Strings", "取消")};
inline constexpr Phrase OptionsImport{QT_TRANSLATE_NOOP("Strings", "从浏览器导入书签(&I)...")};
inline constexpr Phrase ImportCaptionTitle{QT_TRANSLATE_NOOP("Strings", "导入书签")};
inline constexpr Phrase ImportSourcesLabel{QT_TRANSLATE_NOOP("Strings", "从这里导入书签(&S)：")};
inline constexpr Phrase ImportChooseFile{QT_TRANSLATE_NOOP("Strings", "选择导出的书签文件...")};
inline constexpr Phrase ImportFolderLabel{QT_TRANSLATE_NOOP("Strings", "导入到这个文件夹(&F)：")};
inline constexpr Phrase ImportButton{QT_TRANSLATE_NOOP("Strings", "导入(&I)")};
inline constexpr Phrase ImportPickerTitle{QT_TRANSLATE_NOOP("Strings", "选择导入书签的文件夹：")};
inline constexpr Phrase BookmarkFilter{
    QT_TRANSLATE_NOOP("Strings", "书签文件 (*.html *.htm *.xbel *.xml *.json *.jsonlz4 *.sqlite "
                                 "*.gvdb Bookmarks urls quickmarks)")};
inline constexpr Phrase WorkingTitle{QT_TRANSLATE_NOOP("Strings", "Linkshelf： 正在工作中...   ")};
inline constexpr Phrase OptionsCheckLinks{QT_TRANSLATE_NOOP("Strings", "检查链接(&C)...")};
inline constexpr Phrase CheckLinksTitle{QT_TRANSLATE_NOOP("Strings", "检查链接")};
inline constexpr Phrase CopyReportCaption{QT_TRANSLATE_NOOP("Strings", "复制报告(&C)")};
inline constexpr Phrase RecheckBadCaption{QT_TRANSLATE_NOOP("Strings", "只检查失效的链接(&R)")};
inline constexpr Phrase CheckLinksHint{
    QT_TRANSLATE_NOOP("Strings", "双击一行可在网页浏览器中打开该地址。")};

std::string Welcome();
std::string FileNameHelp();
std::string ReadyToFinish();
std::string PageInfo();
std::string ColorHelp();
std::string VersionLabel();
// The window caption for a page of the wizard.
std::string Caption(int pageIndex, int pageCount);

} // namespace Strings
