#include "DesktopServices.h"

#include "ConsoleDesktop.h"

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
    return QProcess::startDetached("xdg-open", {url.isLocalFile() ? url.toLocalFile()
                                                                  : url.toString()});
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
