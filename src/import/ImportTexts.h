// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"

#include <QCoreApplication>
#include <string>
#include <vector>

// The texts of a bookmark import, in the run's language: what went wrong, naming the cause, and
// what was written.
class ImportTexts {
    Q_DECLARE_TR_FUNCTIONS(ImportTexts)

public:
    static std::string CannotRead(const std::string& path, int error);
    static std::string NotBookmarks(const std::string& path);
    static std::string Damaged(const std::string& path, const std::string& cause);
    static std::string TooDeep(const std::string& path);
    static std::string EndsTooEarly(const std::string& path);
    static std::string VersionNotSupported(const std::string& path);
    static std::string NotXbel(const std::string& path);
    static std::string AliasesTooMany(const std::string& path);
    static std::string NoProfile(const std::string& browser);
    // A source's name as the user reads it; the folder an import writes keeps the name itself,
    // so that a later import of the same source finds it in every language.
    static std::string ShownName(const std::string& name);
    // browsers: the words that name a browser on the command line.
    static std::string UnknownSource(const std::string& source,
                                     const std::vector<std::string>& browsers);
    static std::string CannotCopy(const std::string& path, int error);
    static std::string CannotMakeFolder(const std::string& path, int error);
    static std::string CannotWrite(const std::string& path, int error);
    static std::string NotAFolder(const std::string& path);
    static std::string IconsUnreadable(const std::string& path);
    static std::string Written(const std::string& folder, long long links, long long folders,
                               long long skipped);
    // The icons kept with the links, those refused as no usable image, and why the browser's
    // icons could not be read at all when they could not.
    static std::string IconsWritten(long long withIcon, long long refused, const Result& read);
};
