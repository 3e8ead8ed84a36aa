// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportOffer.h"

#include "import/BookmarkImport.h"
#include "import/ImportTexts.h"
#include "platform/DesktopServices.h"
#include "platform/FilledText.h"
#include "ui/Strings.h"

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

// What a caption needs besides its text: the button's frame, not the padding of its size hint,
// which two columns may do without.
constexpr int CaptionFrame = 4;

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
    const std::string name = ImportTexts::ShownName(browser.source.name);
    if (!browser.links)
        return QString::fromStdString(name);
    return QString::fromStdString(
        FilledText(QCoreApplication::translate("ImportOffer", "%1（%n 个链接）", nullptr,
                                               PluralCount(*browser.links)),
                   name));
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
    // A desktop may hold many browsers: their buttons scroll below the heading.
    auto* buttons = new QWidget;
    buttonGrid_ = new QGridLayout(buttons);
    buttonGrid_->setContentsMargins(0, 0, 0, 0);
    buttonGrid_->setSpacing(2);
    buttonGrid_->setAlignment(Qt::AlignTop);
    for (const Browser* browser : readable) {
        auto* button = OfferButton(
            Caption(*browser), QString::fromStdString("import" + browser->source.name), buttons);
        button->setToolTip(QString::fromStdString(browser->source.path));
        // The columns share the width equally, whatever the captions' size hints.
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        connect(button, &QPushButton::clicked, this,
                [this, source = browser->source] { emit chosen(source); });
        browserButtons_.push_back(button);
    }
    // Two columns first: one would need more rows, and so the scroll bar that narrows them.
    PlaceButtons(readable.size() > 1 ? 2 : 1);
    browserArea_ = new QScrollArea(this);
    browserArea_->setObjectName("importOfferBrowsers");
    browserArea_->setFrameShape(QFrame::NoFrame);
    browserArea_->setWidgetResizable(true);
    browserArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    browserArea_->setWidget(buttons);
    browserArea_->setVisible(!readable.empty());
    // No taller than its buttons, so that the export file's button follows them; a row at the
    // least, rather than the height its scroll bar would ask for.
    browserArea_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    if (!browserButtons_.empty())
        browserArea_->setMinimumHeight(browserButtons_.front()->sizeHint().height());
    browserArea_->viewport()->installEventFilter(this);
    // Tab goes from button to button, and the area scrolls to the one with the focus.
    browserArea_->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(heading);
    layout->addWidget(browserArea_);
    if (imported.isEmpty()) {
        auto* exportFile =
            OfferButton(Translated(Strings::ImportChooseFile), "importExportFile", this);
        connect(exportFile, &QPushButton::clicked, this, [this] { ChooseExportFile(); });
        layout->addWidget(exportFile);
    }
    layout->addStretch(1);
}

// Two columns for more than one browser while every caption fits in half the width the
// scrolling area leaves them (less when its scroll bar shows), else one.
bool ImportOffer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == browserArea_->viewport()) {
        const int width = static_cast<QResizeEvent*>(event)->size().width();
        const int half = (width - buttonGrid_->spacing()) / 2;
        const bool fit =
            browserButtons_.size() > 1 &&
            std::ranges::all_of(browserButtons_, [half](const QPushButton* button) {
                return button->fontMetrics().horizontalAdvance(button->text()) + CaptionFrame <=
                       half;
            });
        PlaceButtons(fit ? 2 : 1);
    }
    return QWidget::eventFilter(watched, event);
}

void ImportOffer::PlaceButtons(int columns) {
    if (columns == columns_)
        return;
    columns_ = columns;
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
    request.filter = Translated(Strings::BookmarkFilter).toStdString();
    const auto path = DesktopServices::Current().ChooseFile(window(), request);
    if (path)
        emit chosen(BrowserProfiles::ForFile(*path));
}
