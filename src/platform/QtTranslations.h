// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QTranslator;

// Qt's own dialogs and buttons ("Save As", "Cancel"...) in the program's language, Simplified
// Chinese, whatever the user's locale.
class QtTranslations {
public:
    // Installs Qt's Simplified Chinese translations into the running application, which owns
    // them; nothing when they are not installed on this machine, and Qt's texts stay English.
    static QTranslator* Install();
};
