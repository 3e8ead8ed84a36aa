// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "app/CheckCommand.h"
#include "app/ConsoleDesktop.h"
#include "app/ExportCommand.h"
#include "app/FetchIconsCommand.h"
#include "app/ImportCommand.h"
#include "app/PageCommand.h"
#include "app/RefreshCommand.h"
#include "app/UndoCommand.h"
#include "platform/FilledText.h"
#include "platform/Language.h"
#include "text/Text.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

int PrintHelp(const Invocation& invocation);
int PrintVersion(const Invocation& invocation);

constexpr UsageLine PageUsage[] = {
    {"linkshelf", QT_TRANSLATE_NOOP("CommandLine", "打开向导")},
    {QT_TRANSLATE_NOOP("CommandLine", "linkshelf 设置文件.lfs"),
     QT_TRANSLATE_NOOP("CommandLine", "按这个设置文件生成页面，不打开向导")},
    {"linkshelf -RUN", QT_TRANSLATE_NOOP("CommandLine", "按默认设置文件生成页面")},
};
constexpr UsageLine ImportUsage[] = {
    {QT_TRANSLATE_NOOP("CommandLine", "linkshelf --import 来源 [文件夹]"),
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "导入书签：一个书签文件，或浏览器 firefox、firefox-backup、librewolf、floorp、"
         "waterfox、zen、chromium、chrome、brave、edge、vivaldi、opera、yandex、"
         "ungoogled-chromium、falkon、konqueror、epiphany、qutebrowser")},
};
constexpr CommandLine::Option CheckOptions[] = {
    {"--json"},       {"--max-age", true},    {"--update-moved"},
    {"--trash-dead"}, {"--trash-duplicates"}, {"--dry-run"},
};
constexpr UsageLine CheckUsage[] = {
    {QT_TRANSLATE_NOOP("CommandLine", "linkshelf --check [设置文件.lfs] [--json] [--max-age 时长]"),
     QT_TRANSLATE_NOOP("CommandLine",
                       "检查页面的链接：失效、已移动、拒绝访问、重复；--max-age 1d 采用一天之内"
                       "先前检查的结果")},
    {QT_TRANSLATE_NOOP("CommandLine", "linkshelf --check [设置文件.lfs] 改动 [--dry-run]"),
     QT_TRANSLATE_NOOP("CommandLine",
                       "检查之后的改动：--update-moved 把已移动的链接更新为新地址，--trash-dead "
                       "和 --trash-duplicates 把失效的链接和多余的重复链接移到回收站（每个地址"
                       "留下页面上的第一处）；--dry-run 只显示将要做的改动")},
};
constexpr UsageLine UndoUsage[] = {
    {"linkshelf --undo",
     QT_TRANSLATE_NOOP("CommandLine",
                       "撤销最近一批改动：文件从回收站还原，写回原来的地址，或去掉获取的网站图标")},
};
constexpr UsageLine FetchIconsUsage[] = {
    {QT_TRANSLATE_NOOP("CommandLine", "linkshelf --fetch-icons [设置文件.lfs]"),
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "为页面上还没有网站图标的链接，从链接自己的网站获取图标并存入快捷方式文件夹")},
};
constexpr CommandLine::Option ExportOptions[] = {
    {"--format", true},
};
constexpr UsageLine ExportUsage[] = {
    {QT_TRANSLATE_NOOP("CommandLine",
                       "linkshelf --export 文件 [设置文件.lfs] [--format html|xbel]"),
     QT_TRANSLATE_NOOP("CommandLine",
                       "把页面列出的链接导出为书签文件，浏览器可以导入：文件以 .html 或 .htm "
                       "结尾时是网页书签文件（带图标），以 .xbel 结尾时是 XBEL 1.0")},
};
constexpr UsageLine RefreshUsage[] = {
    {"linkshelf --refresh daily|hourly|on-change|off",
     QT_TRANSLATE_NOOP("CommandLine",
                       "按时（每天或每小时，用 systemd 用户定时器）按默认设置重新生成页面，"
                       "on-change 时快捷方式文件夹改变也重新生成（可以和 daily|hourly "
                       "一起用）；off 停止")},
};
constexpr UsageLine HelpUsage[] = {
    {"linkshelf --help, -h", QT_TRANSLATE_NOOP("CommandLine", "显示这个帮助")},
};
constexpr UsageLine VersionUsage[] = {
    {"linkshelf --version", QT_TRANSLATE_NOOP("CommandLine", "显示版本")},
};

constexpr std::size_t AnyNumber = std::numeric_limits<std::size_t>::max();

// Every command, in the order --help lists them: a new command is one row (with its handler),
// before --help. The row without a name makes the page; help and version are looked for first,
// wherever they stand.
const CommandLine::Command Table[] = {
    {.name = "",
     .shortName = "",
     .anywhere = false,
     .options = {},
     .minOperands = 0,
     .maxOperands = AnyNumber,
     .usage = PageUsage,
     .handler = PageCommand::Run},
    {.name = "--import",
     .shortName = "",
     .anywhere = false,
     .options = {},
     .minOperands = 1,
     .maxOperands = 2,
     .usage = ImportUsage,
     .handler = ImportCommand::Run},
    {.name = "--check",
     .shortName = "",
     .anywhere = false,
     .options = CheckOptions,
     .minOperands = 0,
     .maxOperands = 1,
     .usage = CheckUsage,
     .handler = CheckCommand::Run},
    {.name = "--undo",
     .shortName = "",
     .anywhere = false,
     .options = {},
     .minOperands = 0,
     .maxOperands = 0,
     .usage = UndoUsage,
     .handler = UndoCommand::Run},
    {.name = "--fetch-icons",
     .shortName = "",
     .anywhere = false,
     .options = {},
     .minOperands = 0,
     .maxOperands = 1,
     .usage = FetchIconsUsage,
     .handler = FetchIconsCommand::Run},
    {.name = "--export",
     .shortName = "",
     .anywhere = false,
     .options = ExportOptions,
     .minOperands = 1,
     .maxOperands = 2,
     .usage = ExportUsage,
     .handler = ExportCommand::Run},
    {.name = "--refresh",
     .shortName = "",
     .anywhere = false,
     .options = {},
     .minOperands = 1,
     .maxOperands = 2,
     .usage = RefreshUsage,
     .handler = RefreshCommand::Run},
    {.name = "--help",
     .shortName = "-h",
     .anywhere = true,
     .options = {},
     .minOperands = 0,
     .maxOperands = AnyNumber,
     .usage = HelpUsage,
     .handler = PrintHelp},
    {.name = "--version",
     .shortName = "",
     .anywhere = true,
     .options = {},
     .minOperands = 0,
     .maxOperands = AnyNumber,
     .usage = VersionUsage,
     .handler = PrintVersion},
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
                            "--export 没能写入书签文件，或者 --refresh 没能设置自动更新（没有 "
                            "systemd 用户实例时它打印应改用的 crontab 行），--check "
                            "不能记录要做的改动，或者 --undo 没有可以撤销的改动或跳过了其中一些")},
    {'2', QT_TRANSLATE_NOOP("CommandLine", "没有找到快捷方式；什么也没有写入")},
    {'3', QT_TRANSLATE_NOOP("CommandLine", "--check 发现了失效的链接（1：检查不能进行，或者被 "
                                           "Ctrl+C 停止，无论已经发现了什么）")},
    {'4', QT_TRANSLATE_NOOP("CommandLine",
                            "网络似乎无法连接：--check 没有发现失效的链接，但留下了未检查的"
                            "链接；--fetch-icons 一个网站也访问不了")},
};

// A line fills at most 79 columns: a terminal of 80 breaks a full line before its end.
constexpr int LineColumns = 79;
constexpr int FormColumns = 26;

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

QString Translated(const char* source) {
    return QCoreApplication::translate("CommandLine", source);
}

bool Names(const CommandLine::Command& command, std::string_view word) {
    return !word.empty() && (command.name == word || command.shortName == word);
}

const CommandLine::Command* Named(std::string_view word) {
    const auto row = std::ranges::find_if(
        Table, [word](const CommandLine::Command& command) { return Names(command, word); });
    return row != std::end(Table) ? &*row : nullptr;
}

const CommandLine::Command& PageRow() {
    return Table[0];
}

// A refusal of the arguments: what is wrong, then the command's usage line; the parse is made
// again once the user's language is in force, so the texts are looked up then.
Failure Refusal(const QString& what, const std::string& argument,
                const CommandLine::Command& command) {
    return {FilledText(what, argument), argument, Invocation::UsageOf(command.usage)};
}

bool LooksLikeOption(const std::string& argument, const CommandLine::Command& command) {
    // Without a command, "-RUN" and the plain arguments the page ignores are no options.
    return command.name.empty() ? argument.starts_with("--")
                                : argument.size() > 1 && argument.starts_with('-');
}

// The options and operands after the command's own name.
ResultOf<Invocation> Read(const std::vector<std::string>& words,
                          const CommandLine::Command& command) {
    Invocation invocation;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (!LooksLikeOption(word, command)) {
            if (invocation.operands.size() == command.maxOperands)
                return Refusal(QCoreApplication::translate("CommandLine", "多余的参数 \"%1\"。"),
                               word, command);
            invocation.operands.push_back(word);
            continue;
        }
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        const auto option = std::ranges::find(command.options, name, &CommandLine::Option::name);
        if (option == command.options.end()) {
            if (Named(word) != nullptr)
                return Refusal(
                    QCoreApplication::translate("CommandLine", "\"%1\" 只能是第一个参数。"), word,
                    command);
            return Refusal(QCoreApplication::translate("CommandLine", "不认识的选项 \"%1\"。"),
                           word, command);
        }
        if (!option->takesValue && equals != std::string::npos)
            return Refusal(QCoreApplication::translate("CommandLine", "不认识的选项 \"%1\"。"),
                           word, command);
        std::string value;
        if (equals != std::string::npos)
            value = word.substr(equals + 1);
        else if (option->takesValue && i + 1 < words.size())
            value = words[++i];
        else if (option->takesValue)
            return Refusal(QCoreApplication::translate("CommandLine", "选项 \"%1\" 需要一个值。"),
                           name, command);
        invocation.options.emplace_back(name, value);
    }
    if (invocation.operands.size() < command.minOperands)
        return Refusal(QCoreApplication::translate("CommandLine", "\"%1\" 缺少参数。"),
                       std::string(command.name), command);
    return invocation;
}

int PrintHelp(const Invocation& invocation) {
    const QCoreApplication application(*invocation.argc, invocation.argv);
    Language::Install(Language::OfUser());
    const std::string text = CommandLine::HelpText(invocation.globals->DefaultSettingsPath());
    std::fputs(text.c_str(), stdout);
    return 0;
}

int PrintVersion(const Invocation& /*invocation*/) {
    std::printf("Linkshelf %s\n", VersionText().c_str());
    return 0;
}

std::vector<std::string> ArgumentsOf(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace

std::span<const CommandLine::Command> CommandLine::Commands() {
    return Table;
}

ResultOf<CommandLine::Parsed> CommandLine::Parse(const std::vector<std::string>& arguments) {
    for (const Command& command : Table)
        if (command.anywhere &&
            std::ranges::any_of(arguments, [&command](const std::string& argument) {
                return Names(command, argument);
            }))
            return Parsed{&command, {}};
    const Command* named = arguments.empty() ? nullptr : Named(arguments.front());
    const Command& command = named != nullptr ? *named : PageRow();
    const std::vector<std::string> words(arguments.begin() + (named != nullptr ? 1 : 0),
                                         arguments.end());
    ResultOf<Invocation> invocation = Read(words, command);
    if (!invocation)
        return invocation.failure();
    invocation->usageLines = command.usage;
    return Parsed{&command, std::move(*invocation)};
}

int CommandLine::Run(int argc, char** argv, Globals& globals) {
    const std::vector<std::string> arguments = ArgumentsOf(argc, argv);
    ResultOf<Parsed> parsed = Parse(arguments);
    if (!parsed) {
        const QCoreApplication application(argc, argv);
        Language::Install(Language::OfUser());
        ConsoleDesktop().ShowMessage(DesktopServices::Icon::Error, "Linkshelf",
                                     Parse(arguments).failure().Text());
        return 1;
    }
    Invocation& invocation = parsed->invocation;
    invocation.argc = &argc;
    invocation.argv = argv;
    invocation.globals = &globals;
    return parsed->command->handler(invocation);
}

std::string CommandLine::HelpText(const std::string& defaultSettingsPath) {
    // Forms side by side with their meanings; a form too long for that has its meaning on the
    // next line, and a meaning wraps below itself, so the usage stays within a terminal's width.
    constexpr int meaningColumn = 2 + FormColumns;
    const QString indent(meaningColumn, u' ');
    QString text = QCoreApplication::translate("CommandLine", "用法：") + u'\n';
    for (const Command& command : Table)
        for (const UsageLine& line : command.usage) {
            const QString form = Translated(line.form);
            const QStringList meaning =
                Wrapped(Translated(line.meaning), LineColumns - meaningColumn);
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
                Wrapped(Translated(status.meaning), LineColumns - statusColumn)
                    .join(u'\n' + statusIndent) +
                u'\n';
    return text.toStdString() +
           FilledText(QCoreApplication::translate("CommandLine", "\n默认设置文件：%1\n"),
                      defaultSettingsPath);
}
