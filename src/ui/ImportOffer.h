// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BrowserProfiles.h"

#include <QWidget>
#include <functional>
#include <vector>

class QGridLayout;
class QPushButton;

// What the folder page offers while there is no folder of shortcuts yet: a button for each
// browser whose bookmarks were found on this machine, with its count of links, and one for a
// bookmark file the browser exported. One click brings the bookmarks in.
class ImportOffer : public QWidget {
public:
    // A browser's bookmarks found here, and how many links an import would write.
    struct Browser {
        BookmarkSource source;
        long long links = 0;
    };

    // The browsers' default profiles that hold readable bookmarks, counted.
    static std::vector<Browser> FindBrowsers();

    ImportOffer(QWidget* page, const std::vector<Browser>& browsers);

    // Called with the source the user clicked; for the export file, once it is chosen.
    std::function<void(const BookmarkSource& source)> OnChosen;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ChooseExportFile();
    void PlaceButtons(int columns);

    QGridLayout* buttonGrid_;
    std::vector<QPushButton*> browserButtons_;
};
