// SPDX-License-Identifier: GPL-3.0-or-later
#include "WizardLock.h"

#include <QString>

WizardLock::WizardLock(const std::string& settingsPath)
    : lock_(QString::fromStdString(settingsPath + ".wizard.lock")) {
    // A wizard stays open for hours; only a lock whose program has ended is stale.
    lock_.setStaleLockTime(0);
}

bool WizardLock::Acquire() {
    return lock_.tryLock() || lock_.error() != QLockFile::LockFailedError;
}
