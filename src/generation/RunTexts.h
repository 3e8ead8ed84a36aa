// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

// The texts a generation run shows, in the run's language. Their runs of blanks and CR LF pairs
// are part of them.
inline constexpr std::string_view MessageCaption = "Linkshelf";
std::string BrowserFailedText();

std::string NoShortcutText();
std::string PageWrittenText(const std::string& outputPath, std::int32_t linkCount,
                            std::int32_t ignoredCount);
std::string PageNotWrittenText(const std::string& outputPath);
// No folder of shortcuts is set, and the run says how to get one: on the command line with the
// import command, in the wizard with its folder page and Options menu.
std::string NoSourceFolderText();
std::string NoSourceFolderInWizardText();
// The line an unattended run adds to the no-shortcut text: where it looked.
std::string SearchedFolderText(const std::string& folder);
// A folder of shortcuts or a template that the settings name but that cannot be used.
Failure SourceFolderUnusable(const std::string& path, const std::string& cause);
Failure TemplateUnusable(const std::string& path, const std::string& cause);
std::string EmptyFileReason();
// What is shown when building the page failed with an error of its own.
std::string RunFailedText(const std::exception& error);
