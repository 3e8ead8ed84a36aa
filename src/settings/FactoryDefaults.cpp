#include "FactoryDefaults.h"

void ApplyFactoryDefaults(SettingsHolders& holders, Globals& globals) {
    holders.SetSourceFolder(globals.FavoritesFolder);
    holders.SetOutputFile(globals.DesktopFolder + std::string(DefaultPageName));
    holders.SetIncludeSubfolders(true);
    holders.SetPageTitle("My Favorite Links");
    holders.SetPageFont("Arial");
    holders.SetShowURL(false);
    holders.SetBackColor(0xFFFFFF);
    holders.SetTextColor(0x000000);
    holders.SetLinkColor(0xFF0000);
    holders.SetVLinkColor(0x800080);
    holders.SetLaunchBrowser(true);
    globals.TemplatePath = globals.DefaultTemplatePath();
    globals.SettingsPath = globals.DefaultSettingsPath();
    globals.UnusableSourceFolder.reset();
    globals.UnusableTemplate.reset();
}

std::string JoinIgnoreList(const std::vector<std::string>& ignoreList) {
    std::string joined;
    for (std::size_t i = 0; i < ignoreList.size(); ++i) {
        if (i > 0)
            joined += ';';
        joined += ignoreList[i];
    }
    return joined;
}
