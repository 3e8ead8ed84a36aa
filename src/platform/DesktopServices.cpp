// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopServices.h"

#include <QProcess>
#include <QRegularExpression>
#include <QUrl>
#include <filesystem>
#include <sys/stat.h>

namespace {

DesktopServices* installed = nullptr;

// Until a program puts its own services in force (the program always does, first thing),
// messages go to Qt's message log, and nothing is opened or chosen: as without a display, there
// is no screen to open a page on, which is no failure of the run.
class LoggingDesktop : public DesktopServices {
public:
    void Beep() override {}
    void ShowMessage(Icon icon, const std::string& caption, const std::string& text) override {
        if (icon == Icon::Error)
            qCritical("%s: %s", caption.c_str(), text.c_str());
        else
            qInfo("%s: %s", caption.c_str(), text.c_str());
    }
    bool Open(const std::string& /*target*/) override { return true; }
};

// A target that names something on disk is a path, whatever it looks like: "ab:c/page.htm" is
// a page in the folder "ab:c". Otherwise a scheme and a colon at its start make an address.
bool IsAddress(const std::string& target) {
    struct stat info {};
    if (stat(target.c_str(), &info) == 0)
        return false;
    static const QRegularExpression scheme("^[A-Za-z][A-Za-z0-9+.-]+:");
    return scheme.match(QString::fromStdString(target)).hasMatch();
}

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    if (path.starts_with('/') || error)
        return path;
    return folder.native() + '/' + path;
}

// The file address of a path, percent-encoded from its bytes, so that the opener gets the very
// file: a name that is not UTF-8 keeps its bytes, and no character of a name reads as part of
// the address.
QUrl FileUrl(const std::string& path) {
    const std::string absolute = AbsolutePath(path);
    const QByteArray bytes(absolute.data(), static_cast<qsizetype>(absolute.size()));
    return QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"), QUrl::StrictMode);
}

} // namespace

QUrl DesktopServices::UrlFor(const std::string& target) {
    return IsAddress(target) ? QUrl(QString::fromStdString(target)) : FileUrl(target);
}

bool DesktopServices::Open(const std::string& target) {
    if (target.empty())
        return false;
    // The encoded address is plain ASCII, so it reaches the opener unchanged.
    return QProcess::startDetached("xdg-open", {QString::fromLatin1(UrlFor(target).toEncoded())});
}

bool DesktopServices::Ask(const std::string& /*caption*/, const std::string& /*text*/) {
    return false;
}

std::optional<std::string> DesktopServices::ChooseFile(QWidget* /*owner*/,
                                                       const FileRequest& /*request*/) {
    return std::nullopt;
}

std::optional<DesktopServices::Rgb> DesktopServices::ChooseColor(QWidget* /*owner*/,
                                                                 Rgb /*initial*/) {
    return std::nullopt;
}

DesktopServices& DesktopServices::Current() {
    static LoggingDesktop fallback;
    return installed != nullptr ? *installed : fallback;
}

DesktopServices* DesktopServices::Install(DesktopServices* services) {
    DesktopServices* previous = installed;
    installed = services;
    return previous;
}
