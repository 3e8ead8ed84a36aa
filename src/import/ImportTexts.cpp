// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportTexts.h"

#include "BookmarkTree.h"

#include <cstring>

namespace {

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

std::string Cause(int error) {
    return std::strerror(error);
}

} // namespace

namespace ImportTexts {

std::string CannotRead(const std::string& path, int error) {
    return "不能读取书签文件 " + Quoted(path) + "：" + Cause(error);
}

std::string NotBookmarks(const std::string& path) {
    return "文件 " + Quoted(path) +
           " 不是书签文件。请选择浏览器导出的书签文件（HTML）、Chromium 系浏览器的 Bookmarks "
           "文件或 Firefox 的 places.sqlite。";
}

std::string Damaged(const std::string& path, const std::string& cause) {
    return "书签文件 " + Quoted(path) + " 已损坏，不能读取：" + cause;
}

std::string TooDeep(const std::string& path) {
    return "书签文件 " + Quoted(path) + " 的文件夹嵌套超过 " +
           std::to_string(BookmarkFolder::MaxDepth) + " 层，不能导入。";
}

std::string EndsTooEarly(const std::string& path) {
    return "书签文件 " + Quoted(path) +
           " 提前结束，内容不完整（可能还没有写完，或只复制了一部分），不能导入。原有的书签保持不变"
           "。";
}

std::string VersionNotSupported(const std::string& path) {
    return "书签文件 " + Quoted(path) + " 的版本不受支持，不能读取。";
}

std::string NoProfile(const std::string& browser) {
    return "在这台计算机上没有找到 " + browser + " 的书签。";
}

std::string UnknownSource(const std::string& source) {
    return "没有找到 " + Quoted(source) +
           "。请指定书签文件，或 firefox、chromium、chrome、brave、edge、vivaldi 之一。";
}

std::string CannotCopy(const std::string& path, int error) {
    return "不能复制书签数据库 " + Quoted(path) + "：" + Cause(error);
}

std::string CannotMakeFolder(const std::string& path, int error) {
    return "不能创建文件夹 " + Quoted(path) + "：" + Cause(error);
}

std::string CannotWrite(const std::string& path, int error) {
    return "不能写入文件夹 " + Quoted(path) + "：" + Cause(error) + "。原有的书签保持不变。";
}

std::string NotAFolder(const std::string& path) {
    return Quoted(path) + " 已经存在，但不是文件夹。请移走它，或选择其它文件夹。";
}

std::string Written(const std::string& folder, long long links, long long folders,
                    long long skipped) {
    std::string text = "已导入 " + std::to_string(links) + " 个链接和 " + std::to_string(folders) +
                       " 个文件夹到 " + Quoted(folder) + "。";
    if (skipped > 0)
        text += "跳过了 " + std::to_string(skipped) + " 个不能在网页中打开的链接。";
    return text;
}

} // namespace ImportTexts
