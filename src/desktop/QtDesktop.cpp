// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtDesktop.h"

#include "desktop/FileDialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

bool CanOwnMessages(const QWidget* window) {
    const Qt::WindowType type = window->windowType();
    return window->isVisible() && window->isEnabled() && (type == Qt::Window || type == Qt::Dialog);
}

// The window a message box belongs to: the active one, else, when that has just gone (the
// progress window at the end of a run), a window of the program that still takes input, an
// owned window such as the progress window before the one that owns it.
QWidget* MessageOwner() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    QWidget* owner = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!CanOwnMessages(window))
            continue;
        if (owner == nullptr || window->parentWidget() != nullptr)
            owner = window;
    }
    return owner;
}

// A test or a run on the offscreen platform has no desktop to hand a page to; xdg-open still
// reaches the user's browser there.
bool HasDesktopPlatform() {
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal";
}

} // namespace

void QtDesktop::Beep() {
    QApplication::beep();
}

void QtDesktop::ShowMessage(Icon icon, const std::string& caption, const std::string& text) {
    QMessageBox box(icon == Icon::Error ? QMessageBox::Critical : QMessageBox::Information,
                    QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok,
                    MessageOwner());
    box.exec();
}

bool QtDesktop::Ask(const std::string& caption, const std::string& text) {
    QMessageBox box(QMessageBox::Question, QString::fromStdString(caption),
                    QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No,
                    MessageOwner());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

bool QtDesktop::Open(const std::string& target) {
    if (target.empty() || !HasDesktopPlatform())
        return DesktopServices::Open(target);
    return QDesktopServices::openUrl(UrlFor(target));
}

std::optional<std::string> QtDesktop::ChooseFile(QWidget* owner, const FileRequest& request) {
    FileDialog dialog(owner);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QString::fromStdString(request.filter));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
    // Where there is a choice of filters, a name typed without extension takes the one of the
    // filter chosen, so that it is written in the kind of file the user chose.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
            static const QRegularExpression firstExtension(QStringLiteral(R"(\*\.(\w+))"));
            const QRegularExpressionMatch match = firstExtension.match(filter);
            if (match.hasMatch())
                dialog.setDefaultSuffix(match.captured(1));
        });
    const QFileInfo current(QString::fromStdString(request.fileName));
    if (!request.fileName.empty()) {
        if (current.dir().exists())
            dialog.setDirectory(current.absoluteDir());
        dialog.selectFile(current.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

std::optional<DesktopServices::Rgb> QtDesktop::ChooseColor(QWidget* owner, Rgb initial) {
    const QColor chosen = QColorDialog::getColor(QColor::fromRgba(initial), owner);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen.rgba();
}
