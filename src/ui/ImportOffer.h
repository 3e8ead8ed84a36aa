// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/BrowserProfiles.h"

#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

class QGridLayout;
class QPushButton;
class QScrollArea;

// What the folder page offers while there is no folder of shortcuts yet: a button for each
// browser whose bookmarks were found on this machine, with its count of links, and one for a
// bookmark file the browser exported. One click brings the bookmarks in. After an import it
// says what was imported and goes on offering the other browsers.
class ImportOffer : public QWidget {
    Q_OBJECT

public:
    // A browser's bookmarks found here, and how many links an import would write (not known
    // when they cannot be read).
    struct Browser {
        BookmarkSource source;
        std::optional<long long> links;
    };

    // The browsers' default profiles, each counted where its bookmarks can be read.
    static std::vector<Browser> FindBrowsers();
    // The browser's name with its count of links, as the offer and the import window show it.
    static QString Caption(const Browser& browser);

    // imported: a line on what an import just did; the offer then lists the other browsers.
    ImportOffer(QWidget* page, const std::vector<Browser>& browsers, const QString& imported = {});

signals:
    // The source the user clicked; for the export file, once it is chosen.
    void chosen(const BookmarkSource& source);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ChooseExportFile();
    void PlaceButtons(int columns);

    QScrollArea* browserArea_;
    QGridLayout* buttonGrid_;
    std::vector<QPushButton*> browserButtons_;
    int columns_ = 0;
};
