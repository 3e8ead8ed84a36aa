#pragma once

#include <QCollator>
#include <string>
#include <vector>

// Orders names as the user's locale does, without regard to letter case. Names the locale rates
// equal are ordered by their bytes, so a listing comes out the same on every run.
class NameCollator {
public:
    NameCollator();
    void Sort(std::vector<std::string>& names) const;

private:
    QCollator collator_;
};
