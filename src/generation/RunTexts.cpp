// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunTexts.h"

#include "platform/FilledText.h"

#include <QCoreApplication>
#include <new>

std::string BrowserFailedText() {
    return FilledText(QCoreApplication::translate(
        "RunTexts", "不能为显示装载生成的文件。请检查网页浏览器是否已经和 HTML 文件相关联。"));
}

std::string NoShortcutText() {
    return FilledText(QCoreApplication::translate(
        "RunTexts",
        "Linkshelf在指定的文件夹内没有找到任何 Internet "
        "快捷方式文件。没有您的链接文件，程序将不能创建您想要的页面。                              "
        "               "
        "\r\n\r\n如果您愿意，您可以跳回去并指定其它要搜索的位置。                     "));
}

std::string PageWrittenText(const std::string& outputPath, std::int32_t linkCount,
                            std::int32_t ignoredCount) {
    std::string text =
        FilledText(QCoreApplication::translate(
                       "RunTexts",
                       "Linkshelf已经完成了创建您的书签页面，并且把它保存到了磁盘文件 \"%1\" "
                       "。                          \r\n\r\n合计找到 %n 个链接   ",
                       nullptr, linkCount),
                   outputPath);
    if (ignoredCount > 0)
        text += FilledText(QCoreApplication::translate(
            "RunTexts", "\r\n\r\n%n 文件夹的目录被忽略。                 ", nullptr, ignoredCount));
    return text;
}

std::string PageNotWrittenText(const std::string& outputPath) {
    return FilledText(QCoreApplication::translate("RunTexts",
                                                  "不能保存页面到文件 \"%1\" 。           \r\n\r\n"
                                                  "如果文件名称有效并且您具有完全的权限来写入到这个"
                                                  "文件，请选中。                                "),
                      outputPath);
}

std::string NoSourceFolderText() {
    return FilledText(QCoreApplication::translate(
        "RunTexts",
        "没有快捷方式文件夹：请用 \"linkshelf --import 浏览器\" 导入浏览器的书签"
        "（\"linkshelf --help\" 列出可以导入的浏览器），或者在设置文件中指定一个文件夹。"));
}

std::string NoSourceFolderInWizardText() {
    return FilledText(QCoreApplication::translate(
        "RunTexts",
        "还没有选择快捷方式文件夹。请返回到文件夹页面，单击一个浏览器的按钮导入它的书签，"
        "或者选择一个文件夹；也可以用“选项”菜单中的“从浏览器导入书签...”导入书签。"));
}

std::string SearchedFolderText(const std::string& folder) {
    return FilledText(QCoreApplication::translate("RunTexts", "搜索的文件夹：%1"), folder);
}

Failure SourceFolderUnusable(const std::string& path, const std::string& cause) {
    return {FilledText(QCoreApplication::translate("RunTexts", "不能打开快捷方式文件夹 \"%1\" 。"),
                       path),
            path, cause};
}

Failure TemplateUnusable(const std::string& path, const std::string& cause) {
    return {FilledText(QCoreApplication::translate(
                           "RunTexts", "不能用页面模板 \"%1\" 生成页面，页面没有写入。"),
                       path),
            path, cause};
}

std::string EmptyFileReason() {
    return FilledText(QCoreApplication::translate("RunTexts", "文件是空的"));
}

std::string RunFailedText(const std::exception& error) {
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr)
        return FilledText(
            QCoreApplication::translate("RunTexts", "内存不足，Linkshelf 无法生成页面。"));
    return FilledText(QCoreApplication::translate("RunTexts", "Linkshelf 生成页面时出错：%1"),
                      std::string_view(error.what()));
}
