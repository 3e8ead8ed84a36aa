// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "FileChecks.h"
#include "FilledText.h"
#include "Text.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <string_view>

namespace {

// One line of the usage per form of the command.
struct UsageLine {
    const char* form;
    const char* meaning;
};

constexpr UsageLine Usage[] = {
    {"linkshelf", QT_TRANSLATE_NOOP("CommandLine", "打开向导")},
    {QT_TRANSLATE_NOOP("CommandLine", "linkshelf 设置文件.lfs"),
     QT_TRANSLATE_NOOP("CommandLine", "按这个设置文件生成页面，不打开向导")},
    {"linkshelf -RUN", QT_TRANSLATE_NOOP("CommandLine", "按默认设置文件生成页面")},
    {QT_TRANSLATE_NOOP("CommandLine", "linkshelf --import 来源 [文件夹]"),
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "导入书签：一个书签文件，或浏览器 firefox、firefox-backup、librewolf、floorp、"
         "waterfox、zen、chromium、chrome、brave、edge、vivaldi、opera、yandex、"
         "ungoogled-chromium、falkon、konqueror、epiphany、qutebrowser")},
    {QT_TRANSLATE_NOOP("CommandLine", "linkshelf --check [设置文件.lfs] [--json] [--max-age 时长]"),
     QT_TRANSLATE_NOOP("CommandLine",
                       "检查页面的链接：失效、已移动、拒绝访问、重复；--max-age 1d 采用一天之内"
                       "先前检查的结果")},
    {"linkshelf --refresh daily|hourly|on-change|off",
     QT_TRANSLATE_NOOP("CommandLine",
                       "按时（每天或每小时，用 systemd 用户定时器）按默认设置重新生成页面，"
                       "on-change 时快捷方式文件夹改变也重新生成（可以和 daily|hourly "
                       "一起用）；off 停止")},
    {"linkshelf --help, -h", QT_TRANSLATE_NOOP("CommandLine", "显示这个帮助")},
    {"linkshelf --version", QT_TRANSLATE_NOOP("CommandLine", "显示版本")},
};

// What each exit status of the program means.
struct ExitStatus {
    char code;
    const char* meaning;
};

constexpr ExitStatus ExitStatuses[] = {
    {'0', QT_TRANSLATE_NOOP("CommandLine", "页面已经写好（或者向导已经关闭）")},
    {'1', QT_TRANSLATE_NOOP("CommandLine",
                            "页面没有写成或者运行失败：指定的设置文件不存在或不是 .lfs "
                            "文件，它指定的快捷方式文件夹或模板不存在或不能读取，没有指定快捷方式"
                            "文件夹，模板是空的，向导不能打开显示器或已经打开，导入什么也没有写入，"
                            "或者 --refresh 没能设置自动更新（没有 systemd 用户实例时它打印应改用"
                            "的 crontab 行）")},
    {'2', QT_TRANSLATE_NOOP("CommandLine", "没有找到快捷方式；什么也没有写入")},
    {'3', QT_TRANSLATE_NOOP("CommandLine", "--check 发现了失效的链接（1：检查不能进行，或者被 "
                                           "Ctrl+C 停止，无论已经发现了什么）")},
};

// A line fills at most 79 columns: a terminal of 80 breaks a full line before its end.
constexpr int LineColumns = 79;
constexpr int FormColumns = 26;

QString Tr(const char* source) {
    return QCoreApplication::translate("CommandLine", source);
}

// How many columns a terminal gives a character: two for the wide ones of East Asian scripts.
int ColumnsOf(QChar character) {
    return character.unicode() >= 0x1100 && !character.isSpace() ? 2 : 1;
}

int ColumnsOf(const QString& text) {
    int columns = 0;
    for (const QChar character : text)
        columns += ColumnsOf(character);
    return columns;
}

// Chinese punctuation that closes what comes before it, and never starts a line.
bool ClosesBefore(QChar character) {
    return QStringView(u"、，。；：！？）」』》").contains(character);
}

// Whether a line may end between two characters: at a blank, or beside a wide character but
// not before closing punctuation, so that English and Chinese both wrap where a reader expects.
bool MayBreakBetween(QChar before, QChar after) {
    if (before == u' ' || after == u' ')
        return true;
    return (ColumnsOf(before) == 2 || ColumnsOf(after) == 2) && !ClosesBefore(after);
}

// The text in lines of at most `width` columns.
QStringList Wrapped(const QString& text, int width) {
    QStringList lines;
    QString line;
    int lineColumns = 0;
    qsizetype lastBreak = -1;
    for (const QChar character : text) {
        if (!line.isEmpty() && MayBreakBetween(line.back(), character))
            lastBreak = line.size();
        line += character;
        lineColumns += ColumnsOf(character);
        if (lineColumns <= width)
            continue;
        const qsizetype cut = lastBreak > 0 ? lastBreak : line.size() - 1;
        lines.append(line.left(cut).trimmed());
        line = line.mid(cut).trimmed();
        lineColumns = ColumnsOf(line);
        lastBreak = -1;
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

bool IsRunSwitch(const std::string& argument) {
    return argument.size() == 4 && (argument[0] == '-' || argument[0] == '/') &&
           SameTextNoCase(argument.substr(1), "RUN");
}

bool EndsInLfs(const std::string& argument) {
    return argument.size() >= 4 && SameTextNoCase(argument.substr(argument.size() - 4), ".lfs");
}

bool Has(const std::vector<std::string>& arguments, std::initializer_list<std::string_view> any) {
    return std::any_of(arguments.begin(), arguments.end(), [&](const std::string& argument) {
        return std::find(any.begin(), any.end(), argument) != any.end();
    });
}

} // namespace

CommandLine CommandLine::Parse(const std::vector<std::string>& arguments,
                               const std::string& defaultSettingsPath) {
    if (Has(arguments, {"--help", "-h"}))
        return {defaultSettingsPath, Mode::Help};
    if (Has(arguments, {"--version"}))
        return {defaultSettingsPath, Mode::Version};
    if (!arguments.empty() && FileExists(arguments.front()))
        return {arguments.front(),
                EndsInLfs(arguments.front()) ? Mode::Unattended : Mode::NotSettingsFile};
    if (!arguments.empty() && EndsInLfs(arguments.front()))
        return {arguments.front(), Mode::MissingSettingsFile};
    const bool run = std::any_of(arguments.begin(), arguments.end(), IsRunSwitch);
    return {defaultSettingsPath, run ? Mode::Unattended : Mode::Wizard};
}

std::string CommandLine::HelpText(const std::string& defaultSettingsPath) {
    // Forms side by side with their meanings; a form too long for that has its meaning on the
    // next line, and a meaning wraps below itself, so the usage stays within a terminal's width.
    constexpr int meaningColumn = 2 + FormColumns;
    const QString indent(meaningColumn, u' ');
    QString text = QCoreApplication::translate("CommandLine", "用法：") + u'\n';
    for (const UsageLine& line : Usage) {
        const QString form = Tr(line.form);
        const QStringList meaning = Wrapped(Tr(line.meaning), LineColumns - meaningColumn);
        text += "  " + form;
        if (ColumnsOf(form) < FormColumns)
            text += QString(FormColumns - ColumnsOf(form), u' ');
        else
            text += u'\n' + indent;
        text += meaning.join(u'\n' + indent) + u'\n';
    }
    text += u'\n' + QCoreApplication::translate("CommandLine", "退出状态：") + u'\n';
    constexpr int statusColumn = 5;
    const QString statusIndent(statusColumn, u' ');
    for (const ExitStatus& status : ExitStatuses)
        text += QString("  %1  ").arg(status.code) +
                Wrapped(Tr(status.meaning), LineColumns - statusColumn).join(u'\n' + statusIndent) +
                u'\n';
    return text.toStdString() +
           FilledText(QCoreApplication::translate("CommandLine", "\n默认设置文件：%1\n"),
                      defaultSettingsPath);
}
