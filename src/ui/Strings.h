// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Utf8Text.h"

#include <QCoreApplication>
#include <QString>
#include <string>
#include <string_view>

// A text of the wizard, written in Chinese and shown in the run's language.
struct Phrase {
    const char* source;
};

inline QString Translated(Phrase phrase) {
    return QCoreApplication::translate("Strings", phrase.source);
}

// The wizard's own texts. Their runs of blanks and CR LF pairs are part of them.
namespace Strings {

inline constexpr Phrase FinishCaption{QT_TRANSLATE_NOOP("Strings", "完成(&F)")};
inline constexpr Phrase ExitCaption{QT_TRANSLATE_NOOP("Strings", "退出(&X)")};
inline constexpr Phrase CloseCaption{QT_TRANSLATE_NOOP("Strings", "关闭")};

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
inline constexpr Phrase OptionsExport{QT_TRANSLATE_NOOP("Strings", "导出书签(&E)...")};
// The export's two formats, the one browsers import first.
inline constexpr Phrase ExportFilters{
    QT_TRANSLATE_NOOP("Strings", "书签文件 (*.html *.htm);;XBEL 书签 (*.xbel)")};
inline constexpr Phrase CheckLinksTitle{QT_TRANSLATE_NOOP("Strings", "检查链接")};
inline constexpr Phrase CopyReportCaption{QT_TRANSLATE_NOOP("Strings", "复制报告(&C)")};
// What a screen reader says for a cell of the findings that holds nothing.
inline constexpr Phrase EmptyCell{QT_TRANSLATE_NOOP("Strings", "空白")};
inline constexpr Phrase RecheckBadCaption{QT_TRANSLATE_NOOP("Strings", "只检查失效的链接(&R)")};
inline constexpr Phrase SelectDeadCaption{QT_TRANSLATE_NOOP("Strings", "选择全部失效的(&D)")};
inline constexpr Phrase SelectMovedCaption{QT_TRANSLATE_NOOP("Strings", "选择全部已移动的(&M)")};
inline constexpr Phrase SelectDuplicatesCaption{
    QT_TRANSLATE_NOOP("Strings", "选择多余的重复链接(&U)")};
inline constexpr Phrase UpdateAddressCaption{QT_TRANSLATE_NOOP("Strings", "更新为新地址(&N)")};
inline constexpr Phrase MoveToTrashCaption{QT_TRANSLATE_NOOP("Strings", "移到回收站(&T)")};
inline constexpr Phrase UndoCaption{QT_TRANSLATE_NOOP("Strings", "撤销(&Z)")};
inline constexpr Phrase RebuildQuestion{
    QT_TRANSLATE_NOOP("Strings", "快捷方式已经改动，页面还列着原来的链接。现在重新生成页面吗？")};
inline constexpr Phrase NothingToChange{
    QT_TRANSLATE_NOOP("Strings", "所选的行中没有这个按钮能改动的链接。")};
inline constexpr Phrase FetchIconsCaption{QT_TRANSLATE_NOOP("Strings", "获取网站图标(&I)")};
inline constexpr Phrase FetchingIcons{
    QT_TRANSLATE_NOOP("Strings", "正在从链接自己的网站获取图标...")};
inline constexpr Phrase CheckLinksHint{
    QT_TRANSLATE_NOOP("Strings", "双击一行可在网页浏览器中打开该地址。")};

std::string Welcome();
// The folder page's text, for a default page in pageFolder (the Desktop, or the home folder).
std::string FileNameHelp(const std::string& pageFolder);
std::string ReadyToFinish();
std::string PageInfo();
std::string ColorHelp();
std::string VersionLabel();
// The window caption for a page of the wizard.
std::string Caption(int pageIndex, int pageCount);

} // namespace Strings
