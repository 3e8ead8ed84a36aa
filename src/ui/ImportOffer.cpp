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
#include <QResizeEvent>
#include <QScrollArea>
#include <QVBoxLayout>
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
        std::string error;
        const BookmarkFolder tree = BookmarkImport::Read(source.path, error);
        if (error.empty())
            browsers.push_back({std::move(source), LinksIn(tree)});
    }
    return browsers;
}

ImportOffer::ImportOffer(QWidget* page, const std::vector<Browser>& browsers) : QWidget(page) {
    setObjectName("importOffer");
    auto* heading = new QLabel(
        browsers.empty()
            ? QCoreApplication::translate(
                  "ImportOffer",
                  "在这台计算机上没有找到浏览器的书签。您可以导入浏览器导出的书签文件：")
            : QCoreApplication::translate(
                  "ImportOffer",
                  "还没有快捷方式文件夹。单击一个浏览器，把它的书签导入到收藏夹文件夹："),
        this);
    heading->setObjectName("importOfferText");
    heading->setWordWrap(true);
    // A desktop may hold many browsers: their buttons scroll below the heading.
    auto* buttons = new QWidget;
    buttonGrid_ = new QGridLayout(buttons);
    buttonGrid_->setContentsMargins(0, 0, 0, 0);
    buttonGrid_->setSpacing(2);
    for (const Browser& browser : browsers) {
        auto* button =
            OfferButton(QString::fromStdString(FilledText(
                            QCoreApplication::translate("ImportOffer", "%1（%2 个链接）"),
                            browser.source.name, browser.links)),
                        QString::fromStdString("import" + browser.source.name), buttons);
        button->setToolTip(QString::fromStdString(browser.source.path));
        connect(button, &QPushButton::clicked, this, [this, source = browser.source] {
            if (OnChosen)
                OnChosen(source);
        });
        browserButtons_.push_back(button);
    }
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("importOfferBrowsers");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(buttons);
    scroll->setVisible(!browsers.empty());
    auto* exportFile = OfferButton(Q(Strings::ImportChooseFile), "importExportFile", this);
    connect(exportFile, &QPushButton::clicked, this, [this] { ChooseExportFile(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(heading);
    layout->addWidget(scroll, 1);
    layout->addWidget(exportFile);
    layout->addStretch(browsers.empty() ? 1 : 0);
    PlaceButtons(1);
}

// Two columns while every caption fits in half the width, else one.
void ImportOffer::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int half = (event->size().width() - buttonGrid_->spacing()) / 2;
    const bool fit = browserButtons_.size() > 2 &&
                     std::ranges::all_of(browserButtons_, [half](const QPushButton* button) {
                         return button->sizeHint().width() <= half;
                     });
    PlaceButtons(fit ? 2 : 1);
}

void ImportOffer::PlaceButtons(int columns) {
    for (QPushButton* button : browserButtons_)
        buttonGrid_->removeWidget(button);
    int index = 0;
    for (QPushButton* button : browserButtons_) {
        buttonGrid_->addWidget(button, index / columns, index % columns);
        ++index;
    }
}

void ImportOffer::ChooseExportFile() {
    DesktopServices::FileRequest request;
    request.filter = Q(Strings::BookmarkFilter).toStdString();
    const auto path = DesktopServices::Current().ChooseFile(window(), request);
    if (path && OnChosen)
        OnChosen(BrowserProfiles::ForFile(*path));
}
