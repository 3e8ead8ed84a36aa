// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <string>

// Keeps a second wizard from opening on the same settings file, where the one closed last would
// save over the other's settings: a lock file beside the settings file, held while the wizard is
// open. A lock left by a program that has ended is taken over.
class WizardLock {
public:
    explicit WizardLock(const std::string& settingsPath);

    // False when another wizard holds the lock. Where no lock file can be made (a read-only
    // folder) the wizard opens unguarded, as it did before.
    bool Acquire();

private:
    QLockFile lock_;
};
