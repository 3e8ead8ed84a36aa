#include "DesktopServices.h"

#include "ConsoleDesktop.h"
#include "FileDialog.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

namespace {

DesktopServices* installed = nullptr;

QUrl UrlOf(const std::string& target) {
    const QString text = QString::fromStdString(target);
    static const QRegularExpression scheme("^[A-Za-z][A-Za-z0-9+.-]+:");
    if (scheme.match(text).hasMatch())
        return QUrl(text);
    return QUrl::fromLocalFile(QFileInfo(QFile::decodeName(target.c_str())).absoluteFilePath());
}

bool HasDesktopPlatform() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal";
}

} // namespace

bool DesktopServices::Open(const std::string& target) {
    if (target.empty())
        return false;
    const QUrl url = UrlOf(target);
    if (HasDesktopPlatform())
        return QDesktopServices::openUrl(url);
    return QProcess::startDetached("xdg-open",
                                   {url.isLocalFile() ? url.toLocalFile() : url.toString()});
}

std::optional<std::string> DesktopServices::ChooseFile(QWidget* owner, const FileRequest& request) {
    FileDialog dialog(owner);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QString::fromStdString(request.filter));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
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

std::optional<QColor> DesktopServices::ChooseColor(QWidget* owner, const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, owner);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

DesktopServices& DesktopServices::Current() {
    static ConsoleDesktop fallback;
    return installed != nullptr ? *installed : fallback;
}

DesktopServices* DesktopServices::Install(DesktopServices* services) {
    DesktopServices* previous = installed;
    installed = services;
    return previous;
}
