// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QWidget;

// Gives every button, and every control a label leads to, the name a screen reader should say:
// its caption without the access key's mark. Qt drops only the "&" and would say "完成(F)" for
// "完成(&F)"; a control shown anywhere in the program is named as it shows, and keeps a name
// given to it otherwise.
class SpokenCaptions : public QObject {
    Q_OBJECT

public:
    // Once for the application; later calls do nothing.
    static void Install();
    // Names the control after a caption that changed while it shows.
    static void Name(QWidget* control, const QString& caption);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
