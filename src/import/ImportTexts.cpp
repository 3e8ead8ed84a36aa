// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportTexts.h"

#include "import/BookmarkTree.h"
#include "platform/FilledText.h"

#include <cstring>

namespace {

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

std::string Cause(int error) {
    return std::strerror(error);
}

} // namespace

std::string ImportTexts::ShownName(const std::string& name) {
    return name == "Firefox backup" ? FilledText(tr("Firefox 备份")) : name;
}

std::string ImportTexts::CannotRead(const std::string& path, int error) {
    return FilledText(tr("不能读取书签文件 %1：%2"), Quoted(path), Cause(error));
}

std::string ImportTexts::NotBookmarks(const std::string& path) {
    return FilledText(
        tr("文件 %1 不是书签文件。请选择浏览器导出的书签文件（HTML 或 XBEL），或浏览器"
           "自己的书签文件：Firefox 的 places.sqlite 或书签备份（.jsonlz4、.json），"
           "Chromium 系浏览器的 Bookmarks，Falkon 的 bookmarks.json，GNOME Web 的 "
           "bookmarks.gvdb，qutebrowser 的 urls 或 quickmarks。"),
        Quoted(path));
}

std::string ImportTexts::Damaged(const std::string& path, const std::string& cause) {
    return FilledText(tr("书签文件 %1 已损坏，不能读取：%2"), Quoted(path), cause);
}

std::string ImportTexts::TooDeep(const std::string& path) {
    return FilledText(tr("书签文件 %1 的文件夹嵌套超过 %2 层，不能导入。"), Quoted(path),
                      static_cast<long long>(BookmarkFolder::MaxDepth));
}

std::string ImportTexts::EndsTooEarly(const std::string& path) {
    return FilledText(tr("书签文件 %1 提前结束，内容不完整（可能还没有写完，或只复制了一部分），"
                         "不能导入。原有的书签保持不变。"),
                      Quoted(path));
}

std::string ImportTexts::VersionNotSupported(const std::string& path) {
    return FilledText(tr("书签文件 %1 的版本不受支持，不能读取。"), Quoted(path));
}

std::string ImportTexts::NotXbel(const std::string& path) {
    return FilledText(tr("文件 %1 不是 XBEL 书签文件：它的第一个元素不是 xbel。"), Quoted(path));
}

std::string ImportTexts::AliasesTooMany(const std::string& path) {
    return FilledText(tr("书签文件 %1 中的别名（alias）展开后的书签比文件本身多得太多，不能导入。"),
                      Quoted(path));
}

std::string ImportTexts::NoProfile(const std::string& browser) {
    return FilledText(tr("在这台计算机上没有找到 %1 的书签。"), browser);
}

std::string ImportTexts::UnknownSource(const std::string& source,
                                       const std::vector<std::string>& browsers) {
    std::string words;
    for (const std::string& word : browsers)
        words += (words.empty() ? "" : ", ") + word;
    return FilledText(tr("没有找到 %1。请指定书签文件，或以下浏览器之一：%2。"), Quoted(source),
                      words);
}

std::string ImportTexts::CannotCopy(const std::string& path, int error) {
    return FilledText(tr("不能复制书签数据库 %1：%2"), Quoted(path), Cause(error));
}

std::string ImportTexts::CannotMakeFolder(const std::string& path, int error) {
    return FilledText(tr("不能创建文件夹 %1：%2"), Quoted(path), Cause(error));
}

std::string ImportTexts::CannotWrite(const std::string& path, int error) {
    return FilledText(tr("不能写入文件夹 %1：%2。原有的书签保持不变。"), Quoted(path),
                      Cause(error));
}

std::string ImportTexts::NotAFolder(const std::string& path) {
    return FilledText(tr("%1 已经存在，但不是文件夹。请移走它，或选择其它文件夹。"), Quoted(path));
}

std::string ImportTexts::Written(const std::string& folder, long long links, long long folders,
                                 long long skipped) {
    std::string text =
        FilledText(tr("已导入 %1和 %2到 %3。"), tr("%n 个链接", nullptr, PluralCount(links)),
                   tr("%n 个文件夹", nullptr, PluralCount(folders)), Quoted(folder));
    if (skipped > 0)
        text +=
            FilledText(tr("跳过了 %n 个不能在网页中打开的链接。", nullptr, PluralCount(skipped)));
    return text;
}

std::string ImportTexts::IconsUnreadable(const std::string& path) {
    return FilledText(tr("不能读取网站图标数据库 %1。"), Quoted(path));
}

std::string ImportTexts::IconsWritten(long long withIcon, long long refused, const Result& read) {
    std::string text;
    if (withIcon > 0)
        text += FilledText(tr("%n 个链接带有网站图标。", nullptr, PluralCount(withIcon)));
    if (refused > 0)
        text += FilledText(tr("%n 个图标不是可用的图片，已跳过。", nullptr, PluralCount(refused)));
    if (!read)
        text += FilledText(tr("浏览器的网站图标无法读取，链接导入时不带图标：%1"),
                           read.failure().Text());
    return text;
}
