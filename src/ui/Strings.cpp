// SPDX-License-Identifier: GPL-3.0-or-later
#include "Strings.h"

#include "platform/FileChecks.h"
#include "platform/FilledText.h"
#include "settings/Globals.h"

#include <QDir>

namespace Strings {

namespace {

std::string Tr(const char* source) {
    return Translated(Phrase{source}).toStdString();
}

} // namespace

std::string Welcome() {
    return Tr(QT_TRANSLATE_NOOP(
        "Strings",
        "欢迎您使用 Linkshelf 。这个程序自动从 Internet Explorer "
        "收藏文件夹中生成列出您的分组收藏夹链接的 HTML 页面。                               "
        "\r\n通过单击“继续 >”按钮来开始自定义页面。如果您想完全自定义最终 "
        "HTML 页面，请阅读 Readme.txt 文件上有关如何制作一个自定义模板的内容。                     "
        "                        "));
}

std::string FileNameHelp(const std::string& pageFolder) {
    // Without a Desktop folder the page goes to the home folder, and the text says so.
    if (pageFolder == AddTrailingPathDelimiter(QDir::homePath().toStdString()))
        return FilledText(
            Translated(Phrase{QT_TRANSLATE_NOOP(
                "Strings", "从将要采取行动的链接那儿选择组，同时指定您想创建的 HTML "
                           "文件的名称。这台计算机没有桌面文件夹，所以默认方式中，一个命名为 "
                           "Linkpage.htm 的文件将会创建在您的主文件夹 \"%1\" "
                           "中，您可以稍后把它移到您选择的文件夹。")}),
            pageFolder);
    return Tr(QT_TRANSLATE_NOOP(
        "Strings", "从将要采取行动的链接那儿选择组，同时指定您想创建的 HTML "
                   "文件的名称。默认方式中，一个命名为 Linkpage.htm "
                   "的文件将会创建在您的桌面上，这样您可以拖动它到一个您稍后选择的文件夹。 "
                   "单击“默认”将还原默认设置。                                                     "
                   "                            "));
}

std::string ReadyToFinish() {
    return Tr(QT_TRANSLATE_NOOP(
        "Strings",
        "Linkshelf已经准备好制成页面。                  \r\n\r\n如果您愿意，您可以回头去更改"
        "您的设置，否则请单击“完成”来完成您的书签页面的创建。                                     "
        " "));
}

std::string PageInfo() {
    return Tr(QT_TRANSLATE_NOOP("Strings",
                                "请为您的页面指定标题，字体和其它设置。                      "));
}

std::string ColorHelp() {
    return Tr(QT_TRANSLATE_NOOP(
        "Strings",
        "为您的页面选择颜色。            \r\n\r\n您可以用鼠标单击它，来更改各个项目"
        "的颜色。单击“默认”将使用默认的颜色。                                             "));
}

std::string VersionLabel() {
    return FilledText(QCoreApplication::translate("Strings", "Linkshelf ver. %1"), VersionText());
}

std::string Caption(int pageIndex, int pageCount) {
    if (pageIndex == 0)
        return Tr(QT_TRANSLATE_NOOP("Strings", "Linkshelf： 欢迎您       "));
    if (pageIndex == pageCount - 1)
        return Tr(QT_TRANSLATE_NOOP("Strings", "Linkshelf： 已经完成      "));
    return FilledText(QCoreApplication::translate("Strings", "Linkshelf： 步骤 %1 / %2       "),
                      pageIndex, pageCount - 2);
}

} // namespace Strings
