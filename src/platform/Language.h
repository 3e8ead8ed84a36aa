// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// The one language of a run, for every text it shows or prints: the wizard, its boxes, the help
// and the messages on standard error. Simplified Chinese, the language the program is written
// in, when the user's first interface language is a Chinese one; English otherwise, also for
// languages the program has no translation for.
class Language {
public:
    enum class Choice { Chinese, English };

    // The choice for interface languages such as QLocale::uiLanguages() lists them, first
    // preferred ("zh-CN", "en-GB", "C"...).
    static Choice For(const QStringList& uiLanguages);
    // The choice for the user running the program ($LANGUAGE, $LC_ALL, $LC_MESSAGES, $LANG).
    static Choice OfUser();
    // Installs the program's texts and Qt's own ("Cancel", "Save As"...) in that language into
    // the running application, which owns them. Texts without a translation stay Chinese.
    static void Install(Choice choice);
};
