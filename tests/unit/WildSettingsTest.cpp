// SPDX-License-Identifier: GPL-3.0-or-later
// Settings files as they turn up on real disks: damaged, from other programs, in other encodings,
// huge, read-only or in folders that are gone. Reading gives the documented values or a clear
// false, writing keeps every line the program does not own or fails without touching the file,
// and nothing crashes.

#include "SettingsFixture.h"
#include "TempTree.h"
#include "Utf16Text.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"

#include <QString>
#include <cstddef>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string Utf16Be(std::u16string_view text) {
    std::string bytes = Utf16Le(text);
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2)
        std::swap(bytes[at], bytes[at + 1]);
    return bytes;
}

std::string Utf8FromUtf16Le(const std::string& bytes) {
    std::u16string units;
    for (std::size_t at = 2; at + 1 < bytes.size(); at += 2)
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) |
                                              static_cast<unsigned char>(bytes[at + 1]) << 8));
    return QString::fromStdU16String(units).toStdString();
}

// Bytes of every value but CR, LF and '[', so that they form one line that is neither a section
// nor, with no '=', a key.
std::string Garbage(std::size_t size) {
    std::string bytes;
    std::uint32_t state = 12345;
    while (bytes.size() < size) {
        state = state * 1103515245u + 12345u;
        const auto byte = static_cast<char>(state >> 23);
        if (byte != '\r' && byte != '\n' && byte != '[' && byte != '=')
            bytes.push_back(byte);
    }
    return bytes;
}

// Every setting that a settings file can carry, in one text, so that a failed comparison shows
// them all.
std::string Describe(const Settings& record, const Globals& globals) {
    std::ostringstream text;
    text << "SourceFolder=" << record.sourceFolder << "\nIgnoreFolders=";
    for (const std::string& entry : globals.IgnoreList)
        text << "[" << entry << "]";
    text << "\nIncludeSubfolders=" << record.includeSubfolders
         << "\nOutputFile=" << record.outputFile << "\nTemplateFile=" << globals.TemplatePath
         << "\nPageTitle=" << record.pageTitle << "\nPageFont=" << record.pageFont
         << "\nShowURL=" << record.showUrl << "\nTextColor=" << record.textColor
         << "\nLinkColor=" << record.linkColor << "\nVLinkColor=" << record.visitedLinkColor
         << "\nBackColor=" << record.backColor << "\nLaunchBrowser=" << record.launchBrowser
         << "\n";
    return text.str();
}

// Runs check as the unprivileged user "nobody" in a child process when the tests run as root,
// for whom permission bits stop no read and no write; answers what check answered. The folder
// must be one that nobody can enter.
bool AsUnprivilegedUser(const std::string& folder, const std::function<bool()>& check) {
    if (geteuid() != 0)
        return check();
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr)
        throw std::runtime_error("there is no user nobody to run the check as");
    const pid_t child = fork();
    if (child == 0) {
        const uid_t user = nobody->pw_uid;
        const gid_t group = nobody->pw_gid;
        const bool dropped = setgroups(0, nullptr) == 0 && setresgid(group, group, group) == 0 &&
                             setresuid(user, user, user) == 0;
        _exit(!dropped || access(folder.c_str(), X_OK) != 0 ? 2 : check() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) == 2)
        throw std::runtime_error("cannot run the check as user nobody in " + folder +
                                 " (is the temporary folder open to other users?)");
    return WEXITSTATUS(status) == 0;
}

class WildSettings : public SettingsFixture {
protected:
    // The values a file with none of the keys reads as.
    Settings Defaults() const {
        Settings record;
        record.sourceFolder = globals.FavoritesFolder;
        record.includeSubfolders = true;
        record.outputFile = globals.DesktopFolder + "Linkpage.htm";
        record.pageTitle = "My Favorite Links";
        record.pageFont = "Arial";
        record.showUrl = false;
        record.textColor = 0;
        record.linkColor = 0xFF0000;
        record.visitedLinkColor = 0x800080;
        record.backColor = 0xFFFFFF;
        record.launchBrowser = false;
        return record;
    }

    std::string DescribeDefaults(const std::function<void(Settings&)>& change = {}) const {
        Settings record = Defaults();
        if (change)
            change(record);
        Globals expected = globals;
        expected.TemplatePath = globals.DefaultTemplatePath();
        expected.IgnoreList.clear();
        return Describe(record, expected);
    }

    // What a settings file holding bytes reads as.
    std::string Read(const std::string& bytes) {
        tree.Write("s.lfs", bytes);
        Settings record;
        EXPECT_TRUE(ReadSettings(tree.Path("s.lfs"), record, globals));
        return Describe(record, globals);
    }

    // Settings unlike the defaults, with values that only survive a write in quotes.
    Settings Written() {
        Settings record = Defaults();
        record.pageTitle = "'quoted' & \"more\"";
        record.pageFont = "\"Noto Sans\"";
        record.showUrl = true;
        record.includeSubfolders = false;
        record.linkColor = -1;
        record.launchBrowser = true;
        globals.IgnoreList = {" Old", "", "新闻"};
        return record;
    }
};

TEST_F(WildSettings, ReadingGivesTheDocumentedValues) {
    struct Case {
        std::string name;
        std::string bytes;
        std::function<void(Settings&)> change;
    };
    const auto title = [](const std::string& value) {
        return [value](Settings& r) { r.pageTitle = value; };
    };
    const Case cases[] = {
        {"garbage", Garbage(4096), {}},
        {"garbage around the section", Garbage(300) + "\n[Options]\nPageTitle=t\n" + Garbage(300),
         title("t")},
        {"zero bytes only", std::string(1000, '\0'), {}},
        {"zero byte in a value", std::string("[Options]\r\nPageTitle=a\0b\r\n", 26),
         title(std::string("a\0b", 3))},
        {"zero byte after a number", std::string("[Options]\r\nShowURL=1\0\r\n", 22), {}},
        {"zero byte in the section name", std::string("[Opt\0ions]\r\nShowURL=1\r\n", 22), {}},
        {"duplicate keys and sections",
         "[Options]\r\nPageTitle=first\r\nPageTitle=second\r\n[options]\r\nShowURL=1\r\n",
         title("first")},
        {"section names in any case, blanks and quotes",
         "  [ OPTIONS ]\n\tpagetitle = \" spaced \" \n", title(" spaced ")},
        {"UTF-16 with its mark",
         Utf16Le(u"[Options]\r\nPageTitle=\u4E2D\u6587\r\nLinkColor=255\r\n"),
         [](Settings& r) {
             r.pageTitle = "\xE4\xB8\xAD\xE6\x96\x87";
             r.linkColor = 255;
         }},
        {"UTF-16 with a stray last byte", Utf16Le(u"[Options]\r\nPageTitle=t\r\n") + "x",
         title("t")},
        {"UTF-16 with half a character", Utf16Le(u"[Options]\r\nPageTitle=t\r\n\xD800"),
         title("t")},
        {"UTF-16 without its mark", Utf16Le(u"[Options]\r\nShowURL=1\r\n").substr(2), {}},
        {"UTF-16 big-endian", Utf16Be(u"[Options]\r\nShowURL=1\r\n"), {}},
        {"UTF-8 with its mark", "\xEF\xBB\xBF[Options]\r\nPageTitle=t\r\n", title("t")},
        {"lone carriage returns", "[Options]\rPageTitle=t\rShowURL=1",
         [](Settings& r) {
             r.pageTitle = "t";
             r.showUrl = true;
         }},
        {"values that are no numbers",
         "[Options]\nShowURL=yes\nLinkColor=0x1FFFFFFFF\nBackColor=99999999999\nTextColor=\n",
         {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(c.bytes), DescribeDefaults(c.change)) << c.name;
}

TEST_F(WildSettings, ATenMegabyteLineIsReadWholeAndKept) {
    const std::string huge(std::size_t{10} * 1024 * 1024, 'x');
    const std::string tail = "\r\n[Options]\r\nShowURL=1\r\n";
    tree.Write("s.lfs", huge + tail);
    Settings record;
    ASSERT_TRUE(ReadSettings(tree.Path("s.lfs"), record, globals));
    EXPECT_TRUE(record.showUrl);
    ASSERT_TRUE(WriteSettings(tree.Path("s.lfs"), record, globals));
    EXPECT_EQ(tree.Read("s.lfs").compare(0, huge.size() + tail.size(), huge + tail), 0);

    tree.Write("s.lfs", "[Options]\r\nPageTitle=" + huge + "\r\nSourceFolder=" + huge + "\r\n");
    ASSERT_TRUE(ReadSettings(tree.Path("s.lfs"), record, globals));
    EXPECT_EQ(record.pageTitle, huge);
    EXPECT_EQ(record.sourceFolder, globals.FavoritesFolder);
}

TEST_F(WildSettings, WritingKeepsEveryLineItDoesNotOwn) {
    struct Case {
        std::string name;
        std::string bytes;
        // Lines that must still be in the file, in this order.
        std::vector<std::string> kept;
    };
    const std::string garbage = Garbage(2000);
    const Case cases[] = {
        {"garbage", garbage, {garbage}},
        {"zero bytes",
         std::string("\0\0\0\r\n[Options]\r\nPageTitle=old\r\nMine=\0\r\n", 39),
         {std::string("\0\0\0", 3), "[Options]", std::string("Mine=\0", 6)}},
        {"duplicate keys and sections",
         "[Options]\nPageTitle=first\nPageTitle=second\n[Options]\nShowURL=0\nShowURL=0\n",
         {"[Options]", "PageTitle=second", "[Options]", "ShowURL=0", "ShowURL=0"}},
        {"other sections and comments",
         "; mine\n[Before]\nA=1\n[Options]\n; inside\nX=y\n[After]\n",
         {"; mine", "[Before]", "A=1", "[Options]", "; inside", "X=y", "[After]"}},
        {"a last line without its end", "[Options]\nUnknown=1", {"[Options]", "Unknown=1"}},
    };
    for (const auto& c : cases) {
        tree.Write("s.lfs", c.bytes);
        const Settings written = Written();
        ASSERT_TRUE(WriteSettings(tree.Path("s.lfs"), written, globals)) << c.name;
        const std::string text = tree.Read("s.lfs");
        std::size_t at = 0;
        for (const std::string& line : c.kept) {
            at = text.find(line, at);
            ASSERT_NE(at, std::string::npos) << c.name << ": lost " << line;
            at += line.size();
        }
        const std::string expected = Describe(written, globals);
        Settings read;
        ASSERT_TRUE(ReadSettings(tree.Path("s.lfs"), read, globals));
        EXPECT_EQ(Describe(read, globals), expected) << c.name;
    }
}

TEST_F(WildSettings, AUtf16FileStaysUtf16AndKeepsItsLines) {
    tree.Write("s.lfs", Utf16Le(u"; \u6CE8\u91CA\r\n[Options]\r\nMine=\u4E2D\r\n"));
    const Settings written = Written();
    ASSERT_TRUE(WriteSettings(tree.Path("s.lfs"), written, globals));
    const std::string bytes = tree.Read("s.lfs");
    ASSERT_EQ(bytes.compare(0, 2, "\xFF\xFE"), 0);
    const std::string text = Utf8FromUtf16Le(bytes);
    EXPECT_EQ(text.rfind("; \xE6\xB3\xA8\xE9\x87\x8A\r\n[Options]\r\nMine=\xE4\xB8\xAD\r\n", 0),
              0u);
    const std::string expected = Describe(written, globals);
    Settings read;
    ASSERT_TRUE(ReadSettings(tree.Path("s.lfs"), read, globals));
    EXPECT_EQ(Describe(read, globals), expected);
}

TEST_F(WildSettings, AFileThatCannotBeWrittenBackWholeIsLeftAlone) {
    struct Case {
        std::string name;
        std::string bytes;
        std::string sourceFolder;
    };
    const Case cases[] = {
        {"UTF-16 with a stray last byte", Utf16Le(u"[Options]\r\nA=1\r\n") + "x",
         globals.FavoritesFolder},
        {"UTF-16 with half a character", Utf16Le(u"[Options]\r\nA=\xDC00\r\n"),
         globals.FavoritesFolder},
        {"UTF-16 and a folder name that is not UTF-8", Utf16Le(u"[Options]\r\n"),
         tree.Path("Favorites/\xFF\xFE not UTF-8/")},
    };
    for (const auto& c : cases) {
        tree.Write("s.lfs", c.bytes);
        Settings record = Defaults();
        record.sourceFolder = c.sourceFolder;
        EXPECT_FALSE(WriteSettings(tree.Path("s.lfs"), record, globals)) << c.name;
        EXPECT_EQ(tree.Read("s.lfs"), c.bytes) << c.name;
    }
}

TEST_F(WildSettings, AFileInAMissingFolderReadsAsTheDefaultsAndIsNotWritten) {
    Settings record;
    ASSERT_TRUE(ReadSettings(tree.Path("gone/s.lfs"), record, globals));
    EXPECT_EQ(Describe(record, globals), DescribeDefaults());
    EXPECT_FALSE(WriteSettings(tree.Path("gone/s.lfs"), record, globals));
    struct stat info {};
    EXPECT_NE(stat(tree.Path("gone").c_str(), &info), 0);
}

TEST_F(WildSettings, AReadOnlyFileIsReadButNotWritten) {
    // The folder lets anyone write, so only the file's own permission can stop the write.
    const std::string before = "[Options]\r\nPageTitle=kept\r\nMine=1\r\n";
    tree.Write("shared/s.lfs", before);
    ASSERT_EQ(chmod(tree.Root().c_str(), 0755), 0);
    ASSERT_EQ(chmod(tree.Path("shared").c_str(), 0777), 0);
    ASSERT_EQ(chmod(tree.Path("shared/s.lfs").c_str(), 0444), 0);
    const std::string path = tree.Path("shared/s.lfs");

    const Settings written = Written();
    const bool readOk = AsUnprivilegedUser(tree.Path("shared"), [&] {
        Settings record;
        Globals own = globals;
        return static_cast<bool>(ReadSettings(path, record, own)) && record.pageTitle == "kept";
    });
    EXPECT_TRUE(readOk);
    const bool writeRefused = AsUnprivilegedUser(
        tree.Path("shared"), [&] { return !WriteSettings(path, written, globals); });
    EXPECT_TRUE(writeRefused);
    EXPECT_EQ(tree.Read("shared/s.lfs"), before);

    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    const bool unreadableRefused = AsUnprivilegedUser(tree.Path("shared"), [&] {
        Settings record;
        Globals own = globals;
        return !ReadSettings(path, record, own) && !WriteSettings(path, written, own);
    });
    EXPECT_TRUE(unreadableRefused);
    EXPECT_EQ(tree.Read("shared/s.lfs"), before);
}

} // namespace
