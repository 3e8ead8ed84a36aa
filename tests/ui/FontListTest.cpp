// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/FontList.h"

#include <gtest/gtest.h>

TEST(FontList, OffersEachFamilyOnceByItsPlainName) {
    struct Case {
        const char* name{};
        QStringList reported;
        QStringList offered;
    };
    const Case cases[] = {
        {"foundries of one family",
         {"Nimbus Sans [URW ]", "Nimbus Sans [urw]", "Arial"},
         {"Arial", "Nimbus Sans"}},
        {"a tag without a twin", {"C059 [UKWN]", "Z003 [urw]"}, {"C059", "Z003"}},
        {"brackets inside a name stay", {"Font [Bold] Text"}, {"Font [Bold] Text"}},
        {"sorted without regard to case", {"b", "A", "a", "B"}, {"A", "a", "B", "b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FontList::PlainNames(c.reported), c.offered) << c.name;
}
