// SPDX-License-Identifier: GPL-3.0-or-later
// Compiled against a library below the wizard, this must fail: nothing there may see widgets.
#include <QWidget>

int WidgetBelowTheWizard() {
    return sizeof(QWidget) > 0 ? 0 : 1;
}
