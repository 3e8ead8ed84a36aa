// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportOffer.h"

#include "BookmarkImport.h"
#include "DesktopServices.h"
#include "FilledText.h"
#include "Strings.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace {

// The links an import would write: those a web page can open.
long long LinksIn(const BookmarkFolder& folder) {
    auto count =
        static_cast<long long>(std::ranges::count_if(folder.links, [](const BookmarkLink& link) {
            return ShortcutTreeWriter::Importable(link.url);
        }));
    for (const BookmarkFolder& inner : folder.folders)
        count += LinksIn(inner);
    return count;
}

QPushButton* OfferButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

std::vector<ImportOffer::Browser> ImportOffer::FindBrowsers() {
    std::vector<Browser> browsers;
    for (BookmarkSource& source : BrowserProfiles::Find()) {
        const ResultOf<BookmarkFolder> tree = BookmarkImport::Read(source.path);
        browsers.push_back(
            {std::move(source), tree ? std::optional(LinksIn(*tree)) : std::nullopt});
    }
    return browsers;
}

QString ImportOffer::Caption(const Browser& browser) {
    if (!browser.links)
        return QString::fromStdString(browser.source.name);
    return QString::fromStdString(
        FilledText(QCoreApplication::translate("ImportOffer", "%1（%n 个链接）", nullptr,
                                               PluralCount(*browser.links)),
                   browser.source.name));
}

ImportOffer::ImportOffer(QWidget* page, const std::vector<Browser>& browsers,
                         const QString& imported)
    : QWidget(page) {
    setObjectName("importOffer");
    std::vector<const Browser*> readable;
    for (const Browser& browser : browsers)
        if (browser.links)
            readable.push_back(&browser);
    auto* heading = new QLabel(
        !imported.isEmpty() ? imported
        : readable.empty()
            ? QCoreApplication::translate(
                  "ImportOffer",
                  "在这台计算机上没有找到浏览器的书签。您可以导入浏览器导出的书签文件：")
            : QCoreApplication::translate(
                  "ImportOffer",
                  "还没有快捷方式文件夹。单击一个浏览器，把它的书签导入到收藏夹文件夹："),
        this);
    heading->setObjectName("importOfferText");
    heading->setWordWrap(true);
    // The buttons give way before the heading does, so they never cover its last line.
    heading->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    grid->addWidget(heading, 0, 0, 1, 2);
    // One column for one browser, two for more, so that the buttons fit below the heading.
    const int columns = readable.size() > 1 ? 2 : 1;
    int index = 0;
    for (const Browser* browser : readable) {
        auto* button = OfferButton(Caption(*browser),
                                   QString::fromStdString("import" + browser->source.name), this);
        button->setToolTip(QString::fromStdString(browser->source.path));
        grid->addWidget(button, 1 + index / columns, index % columns, 1, 3 - columns);
        connect(button, &QPushButton::clicked, this,
                [this, source = browser->source] { emit chosen(source); });
        ++index;
    }
    if (imported.isEmpty()) {
        auto* exportFile = OfferButton(Q(Strings::ImportChooseFile), "importExportFile", this);
        grid->addWidget(exportFile, 1 + (index + columns - 1) / columns, 0, 1, 2);
        connect(exportFile, &QPushButton::clicked, this, [this] { ChooseExportFile(); });
    }
    grid->setRowStretch(grid->rowCount(), 1);
}

void ImportOffer::ChooseExportFile() {
    DesktopServices::FileRequest request;
    request.filter = Q(Strings::BookmarkFilter).toStdString();
    const auto path = DesktopServices::Current().ChooseFile(window(), request);
    if (path)
        emit chosen(BrowserProfiles::ForFile(*path));
}
