// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WizardLock.h"

#include "TempTree.h"

#include <gtest/gtest.h>
#include <memory>

TEST(WizardLock, OneWizardPerSettingsFileUntilItCloses) {
    TempTree tree;
    const std::string settings = tree.Path("Linkshelf.lfs");
    auto first = std::make_unique<WizardLock>(settings);
    ASSERT_TRUE(first->Acquire());
    WizardLock second(settings);
    EXPECT_FALSE(second.Acquire()) << "a second wizard on the same file";
    WizardLock elsewhere(tree.Path("other.lfs"));
    EXPECT_TRUE(elsewhere.Acquire()) << "another settings file";
    first.reset();
    EXPECT_TRUE(WizardLock(settings).Acquire()) << "after the first wizard closed";
}
