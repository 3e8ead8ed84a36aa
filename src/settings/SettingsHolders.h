#pragma once

#include <cstdint>
#include <string>

// A colour as 0x00BBGGRR; a value with the top byte 0x80 names a system colour by its index.
using TColor = std::int32_t;

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
    virtual TColor TextColor() const = 0;
    virtual void SetTextColor(TColor value) = 0;
    virtual TColor LinkColor() const = 0;
    virtual void SetLinkColor(TColor value) = 0;
    virtual TColor VLinkColor() const = 0;
    virtual void SetVLinkColor(TColor value) = 0;
    virtual TColor BackColor() const = 0;
    virtual void SetBackColor(TColor value) = 0;
    virtual bool LaunchBrowser() const = 0;
    virtual void SetLaunchBrowser(bool value) = 0;
};
