// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunTexts.h"

#include <new>

namespace {

std::string Blanks(std::size_t count) {
    return std::string(count, ' ');
}

} // namespace

std::string NoShortcutText() {
    return "Linkshelf在指定的文件夹内没有找到任何 Internet "
           "快捷方式文件。没有您的链接文件，程序将不能创建您想要的页面。" +
           Blanks(45) + "\r\n\r\n如果您愿意，您可以跳回去并指定其它要搜索的位置。" + Blanks(21);
}

std::string PageWrittenText(const std::string& outputPath, std::int32_t linkCount,
                            std::int32_t ignoredCount) {
    std::string text = "Linkshelf已经完成了创建您的书签页面，并且把它保存到了磁盘文件 \"" +
                       outputPath + "\" 。" + Blanks(26) + "\r\n\r\n合计找到 " +
                       std::to_string(linkCount) + " 个链接" + Blanks(3);
    if (ignoredCount > 0)
        text += "\r\n\r\n" + std::to_string(ignoredCount) + " 文件夹的目录被忽略。" + Blanks(17);
    return text;
}

std::string PageNotWrittenText(const std::string& outputPath) {
    return "不能保存页面到文件 \"" + outputPath + "\" 。" + Blanks(11) +
           "\r\n\r\n如果文件名称有效并且您具有完全的权限来写入到这个文件，请选中。" + Blanks(32);
}

std::string NoSourceFolderText() {
    return "没有快捷方式文件夹：请用 \"linkshelf --import firefox\" 导入您的浏览器书签，"
           "或者在设置中指定一个文件夹。";
}

Failure SourceFolderUnusable(const std::string& path, int error) {
    return Failure::FromErrno("不能打开快捷方式文件夹 \"" + path + "\" 。", path, error);
}

Failure TemplateUnusable(const std::string& path, const std::string& cause) {
    return {"不能读取页面模板 \"" + path + "\" 。", path, cause};
}

std::string RunFailedText(const std::exception& error) {
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr)
        return "内存不足，Linkshelf 无法生成页面。";
    return std::string("Linkshelf 生成页面时出错：") + error.what();
}
