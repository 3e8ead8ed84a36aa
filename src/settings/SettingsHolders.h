#pragma once

#include "StoredColor.h"

#include <string>

// The eleven settings the wizard keeps in its controls. Every reader asks the holder at the
// moment of use, and every change goes straight to it.
class SettingsHolders {
public:
    virtual ~SettingsHolders() = default;

    virtual std::string SourceFolder() const = 0;
    virtual void SetSourceFolder(const std::string& value) = 0;
    virtual bool IncludeSubfolders() const = 0;
    virtual void SetIncludeSubfolders(bool value) = 0;
    virtual std::string OutputFile() const = 0;
    virtual void SetOutputFile(const std::string& value) = 0;
    virtual std::string PageTitle() const = 0;
    virtual void SetPageTitle(const std::string& value) = 0;
    virtual std::string PageFont() const = 0;
    virtual void SetPageFont(const std::string& value) = 0;
    virtual bool ShowURL() const = 0;
    virtual void SetShowURL(bool value) = 0;
    virtual StoredColor TextColor() const = 0;
    virtual void SetTextColor(StoredColor value) = 0;
    virtual StoredColor LinkColor() const = 0;
    virtual void SetLinkColor(StoredColor value) = 0;
    virtual StoredColor VLinkColor() const = 0;
    virtual void SetVLinkColor(StoredColor value) = 0;
    virtual StoredColor BackColor() const = 0;
    virtual void SetBackColor(StoredColor value) = 0;
    virtual bool LaunchBrowser() const = 0;
    virtual void SetLaunchBrowser(bool value) = 0;
};
