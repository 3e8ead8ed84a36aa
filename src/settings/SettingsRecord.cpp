#include "SettingsRecord.h"

SettingsRecord SettingsRecord::SnapshotOf(const SettingsHolders& holders) {
    SettingsRecord record;
    record.SetSourceFolder(holders.SourceFolder());
    record.SetIncludeSubfolders(holders.IncludeSubfolders());
    record.SetOutputFile(holders.OutputFile());
    record.SetPageTitle(holders.PageTitle());
    record.SetPageFont(holders.PageFont());
    record.SetShowURL(holders.ShowURL());
    record.SetTextColor(holders.TextColor());
    record.SetLinkColor(holders.LinkColor());
    record.SetVLinkColor(holders.VLinkColor());
    record.SetBackColor(holders.BackColor());
    record.SetLaunchBrowser(holders.LaunchBrowser());
    return record;
}
