// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCollator>
#include <string>
#include <string_view>
#include <vector>

// Orders names as the user's locale does in a word sort: without regard to letter case, and
// looking through hyphens and apostrophes. Names the locale rates equal are ordered by their
// bytes, so a listing comes out the same on every run.
class NameCollator {
public:
    NameCollator();
    void Sort(std::vector<std::string_view>& names);

private:
    QCollator collator_;
    // Working space kept from one folder to the next, so sorting allocates nothing per folder.
    std::u16string units_;
    std::vector<std::size_t> starts_;
    std::vector<std::size_t> order_;
    std::vector<std::string_view> sorted_;
};
