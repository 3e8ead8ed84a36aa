// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/BookmarkTree.h"
#include "import/BrowserProfiles.h"
#include "import/ShortcutTreeWriter.h"
#include "platform/Failure.h"

#include <string>

// One import: reads a source, whatever its kind (found from the content, not the file's name),
// and writes it as a shortcut folder named after the source inside the target folder.
class BookmarkImport {
public:
    // A failure that names the source and the cause when nothing was written.
    Result Run(const BookmarkSource& source, const std::string& targetFolder);

    const ShortcutTreeWriter::Counts& Written() const { return writer_.Written(); }
    const std::string& FolderPath() const { return writer_.FolderPath(); }
    // What was written, for the user.
    std::string Summary() const;

    // Reads a bookmark file of any kind it knows (or qutebrowser's configuration folder): the
    // tree, or the failure naming the file and the cause. With icons, the links come with their
    // sites' icons where the browser keeps them beside the file, and *icons says why those could
    // not be read when they could not.
    static ResultOf<BookmarkFolder> Read(const std::string& path, Result* icons = nullptr);
    // Where imports go unless told otherwise: the Favorites folder, ~/Favorites when the desktop
    // names none.
    static std::string DefaultTarget();
    // The same, but the Favorites folder the program already knows when it knows one.
    static std::string TargetFor(const std::string& favoritesFolder);

private:
    ShortcutTreeWriter writer_;
    // Whether the browser's icons could be read in the last run.
    Result icons_;
};
