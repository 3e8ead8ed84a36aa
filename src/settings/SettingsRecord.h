#pragma once

#include "SettingsHolders.h"

// The settings held in plain members: for runs without a window, for a snapshot of the
// wizard's controls, and for tests. A new record holds the wizard's initial values.
class SettingsRecord : public SettingsHolders {
public:
    SettingsRecord() = default;
    // A copy of whatever the holders hold now.
    static SettingsRecord SnapshotOf(const SettingsHolders& holders);

    std::string SourceFolder() const override { return sourceFolder_; }
    void SetSourceFolder(const std::string& value) override { sourceFolder_ = value; }
    bool IncludeSubfolders() const override { return includeSubfolders_; }
    void SetIncludeSubfolders(bool value) override { includeSubfolders_ = value; }
    std::string OutputFile() const override { return outputFile_; }
    void SetOutputFile(const std::string& value) override { outputFile_ = value; }
    std::string PageTitle() const override { return pageTitle_; }
    void SetPageTitle(const std::string& value) override { pageTitle_ = value; }
    std::string PageFont() const override { return pageFont_; }
    void SetPageFont(const std::string& value) override { pageFont_ = value; }
    bool ShowURL() const override { return showUrl_; }
    void SetShowURL(bool value) override { showUrl_ = value; }
    StoredColor TextColor() const override { return textColor_; }
    void SetTextColor(StoredColor value) override { textColor_ = value; }
    StoredColor LinkColor() const override { return linkColor_; }
    void SetLinkColor(StoredColor value) override { linkColor_ = value; }
    StoredColor VLinkColor() const override { return vLinkColor_; }
    void SetVLinkColor(StoredColor value) override { vLinkColor_ = value; }
    StoredColor BackColor() const override { return backColor_; }
    void SetBackColor(StoredColor value) override { backColor_ = value; }
    bool LaunchBrowser() const override { return launchBrowser_; }
    void SetLaunchBrowser(bool value) override { launchBrowser_ = value; }

private:
    std::string sourceFolder_;
    bool includeSubfolders_ = true;
    std::string outputFile_;
    std::string pageTitle_ = "我的书签";
    std::string pageFont_ = "宋体";
    bool showUrl_ = false;
    StoredColor textColor_ =
        SystemColor(SystemColorIndex::WindowText); // the system's window-text colour
    StoredColor linkColor_ = 0xFF0000;
    StoredColor vLinkColor_ = 0x800080;
    StoredColor backColor_ = 0xFFFFFF;
    bool launchBrowser_ = true;
};
