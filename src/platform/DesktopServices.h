// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>
#include <cstdint>
#include <optional>
#include <string>

class QWidget;

// Everything the program shows to the user or hands to the desktop goes through here, so that
// tests can put a recorder in its place and a run without a display can fall back to text.
class DesktopServices {
public:
    enum class Icon { Error, Information };
    // A colour as 0xAARRGGBB, the layout of Qt's QRgb.
    using Rgb = std::uint32_t;

    virtual ~DesktopServices() = default;

    virtual void Beep() = 0;
    // A modal message box with one OK button; returns when the user has closed it.
    virtual void ShowMessage(Icon icon, const std::string& caption, const std::string& text) = 0;
    // A question answered with Yes or No; true for Yes. Here, where no one can answer, it is No,
    // so nothing that needs the user's consent is done.
    virtual bool Ask(const std::string& caption, const std::string& text);
    // Opens a file or web address with the desktop's opener (here xdg-open); true when the
    // opener was started.
    virtual bool Open(const std::string& target);

    // What a file dialog asks for: a file to open (which must exist) or to save (asking before
    // an existing file is replaced), with one filter such as "HTML 文件 (*.html *.htm)".
    struct FileRequest {
        bool save = false;
        std::string fileName;
        std::string filter;
        std::string defaultSuffix;
    };
    // The chosen file's full path, or nothing when the user cancelled; nothing here, where
    // no dialog can be shown.
    virtual std::optional<std::string> ChooseFile(QWidget* owner, const FileRequest& request);
    // The chosen colour, or nothing when the user cancelled; nothing here.
    virtual std::optional<Rgb> ChooseColor(QWidget* owner, Rgb initial);

    // The services in force: the last installed, or a fallback that logs messages.
    static DesktopServices& Current();
    // Puts services in force (nullptr restores the fallback) and gives back the previous ones.
    static DesktopServices* Install(DesktopServices* services);

protected:
    // The address of a target: a target that names something on disk is a file, handed over
    // by its absolute path; otherwise a scheme and a colon at its start make a web address.
    static QUrl UrlFor(const std::string& target);
};
