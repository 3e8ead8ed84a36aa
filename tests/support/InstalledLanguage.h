// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Language.h"

#include <QCoreApplication>
#include <QTranslator>

// The translations a test installed, taken out again so that the next test starts in Chinese.
struct InstalledLanguage {
    explicit InstalledLanguage(Language::Choice choice) { Language::Install(choice); }
    ~InstalledLanguage() {
        for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    InstalledLanguage(const InstalledLanguage&) = delete;
    InstalledLanguage& operator=(const InstalledLanguage&) = delete;
};
