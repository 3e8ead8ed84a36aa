// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/NameCollator.h"

#include <QCollator>
#include <QString>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

// What the word sort compares: Qt's decoding of the name, without hyphens and apostrophes.
QString WordSortText(const std::string& name) {
    return QString::fromUtf8(name.data(), std::ssize(name)).remove(u'-').remove(u'\'');
}

// The order a collator of the same locale gives when each name is decoded by Qt on its own,
// names it rates equal ordered by their bytes.
std::vector<std::string> ReferenceOrder(std::vector<std::string> names) {
    QCollator collator(QLocale::system().language() == QLocale::C
                           ? QLocale(QLocale::English, QLocale::UnitedStates)
                           : QLocale::system());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        const int byLocale = collator.compare(WordSortText(a), WordSortText(b));
        return byLocale != 0 ? byLocale < 0 : a < b;
    });
    return names;
}

// Names made of pieces that collation treats in every way it can: letters in both cases,
// accents precomposed and combining, digits, punctuation, Chinese, characters outside the
// basic plane, noncharacters, a byte-order mark, and bytes that are not UTF-8 at all.
std::vector<std::string> RandomNames(std::mt19937& random, std::size_t count) {
    static const std::vector<std::string> pieces = {"a",
                                                    "A",
                                                    "b",
                                                    "B",
                                                    "z",
                                                    "Z",
                                                    "e",
                                                    "\xC3\xA9",
                                                    "\xC3\x89",
                                                    "e\xCC\x81",
                                                    "\xC3\xA6",
                                                    "0",
                                                    "1",
                                                    "9",
                                                    " ",
                                                    "-",
                                                    "_",
                                                    ".",
                                                    "&",
                                                    "<",
                                                    "\"",
                                                    "'",
                                                    "~",
                                                    "\xE6\x96\xB0",
                                                    "\xE9\x97\xBB",
                                                    "\xE6\x96\x87",
                                                    "\xF0\x9F\x98\x80",
                                                    "\xF0\x90\x80\x80",
                                                    "\xEF\xBF\xBF",
                                                    "\xEF\xBB\xBF",
                                                    "\xFF",
                                                    "\xC0\x80",
                                                    "\xE0\x80\xAF",
                                                    "\xF0\x80\x80\xAF",
                                                    "\xE4\xB8",
                                                    "\xED\xA0\x80",
                                                    "\xF4\x90\x80\x80",
                                                    "\x80",
                                                    "\x01",
                                                    "\t"};
    std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 6);
    std::vector<std::string> names;
    std::set<std::string> seen;
    while (names.size() < count) {
        std::string name;
        for (int i = length(random); i >= 0; --i)
            name += pieces[piece(random)];
        if (seen.insert(name).second)
            names.push_back(name);
    }
    return names;
}

// Sorts copies of names as views, the way the scan hands them over.
std::vector<std::string> Sorted(NameCollator& collator, const std::vector<std::string>& names) {
    std::vector<std::string_view> views(names.begin(), names.end());
    collator.Sort(views);
    return std::vector<std::string>(views.begin(), views.end());
}

// The order is the collator's on Qt's decoding of each name, for folders of every size.
TEST(NameCollator, SortsAsTheLocaleDoesWithBytesBreakingTies) {
    std::mt19937 random(20261207);
    NameCollator collator;
    for (const std::size_t count : {0, 1, 2, 3, 10, 31, 32, 33, 100, 700, 4095, 4096, 6000}) {
        for (int round = 0; round < 5; ++round) {
            const std::vector<std::string> names = RandomNames(random, count);
            ASSERT_EQ(Sorted(collator, names), ReferenceOrder(names))
                << count << " names, round " << round;
        }
    }
}

TEST(NameCollator, IgnoresCaseButNotAccents) {
    NameCollator collator;
    EXPECT_EQ(Sorted(collator, {"b", "\xC3\xA9", "A", "e", "B", "a"}),
              (std::vector<std::string>{"A", "a", "B", "b", "e", "\xC3\xA9"}));
}

// Hyphens and apostrophes are looked through; blanks and other punctuation keep their weight.
TEST(NameCollator, SortsAsTheWordSortDoes) {
    struct Case {
        const char* what;
        std::vector<std::string> sorted;
    };
    const Case cases[] = {
        {"hyphen between letters", {"ab", "a-c", "ad"}},
        {"apostrophe between letters", {"ita", "it's", "its"}},
        {"hyphenated word beside the plain one", {"cook", "co-op", "coop", "cop"}},
        {"leading and trailing hyphens", {"-a", "a", "a-", "'b", "b'"}},
        {"hyphen and apostrophe tied by bytes", {"a'b", "a-b", "ab"}},
        {"case still ignored", {"Co-Op", "coop", "COOP'S", "coops"}},
        {"blank counts", {"a c", "ab"}},
        {"underscore counts", {"a_c", "ab"}},
        {"full stop counts", {"a.c", "ab"}},
        {"en dash counts",
         {"a\xE2\x80\x93"
          "c",
          "ab"}},
    };
    NameCollator collator;
    for (const Case& c : cases) {
        std::vector<std::string> shuffled(c.sorted.rbegin(), c.sorted.rend());
        EXPECT_EQ(Sorted(collator, shuffled), c.sorted) << c.what;
    }
}

} // namespace
