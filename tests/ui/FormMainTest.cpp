#include "FormMain.h"

#include "BrowseLineEdit.h"
#include "ColorLabel.h"
#include "ColorPanel.h"
#include "FolderPicker.h"
#include "FormProgress.h"
#include "ProgressAnimation.h"
#include "QtDesktop.h"
#include "RecordingDesktop.h"
#include "TempTree.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

std::string S(const QString& text) {
    return text.toStdString();
}

// Stands in for the user at the file and colour dialogs.
class DialogDesktop : public RecordingDesktop {
public:
    std::optional<std::string> ChooseFile(QWidget*, const FileRequest& request) override {
        events.push_back("file:" + request.fileName + "|" + request.filter + "|" +
                         request.defaultSuffix + (request.save ? "|save" : "|open"));
        return chosenFile;
    }
    std::optional<Rgb> ChooseColor(QWidget*, Rgb initial) override {
        events.push_back("color:" + S(QColor::fromRgba(initial).name()));
        if (!chosenColor)
            return std::nullopt;
        return chosenColor->rgba();
    }

    std::optional<std::string> chosenFile;
    std::optional<QColor> chosenColor;
};

class Wizard : public testing::Test {
protected:
    Wizard() {
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope,
                           QString::fromStdString(tree.Path("etc")));
        globals.Layout = ProgramLayout::Portable(tree.Path("program/"));
        globals.DesktopFolder = tree.Path("Desktop/");
        globals.FavoritesFolder = tree.Path("Fav/");
        globals.TemplatePath = globals.DefaultTemplatePath();
        globals.SettingsPath = globals.DefaultSettingsPath();
        tree.Write("program/Linkshelf.lft", "%LF_LINKS_COUNT%");
        tree.Folder("Desktop");
        tree.Shortcut("Fav/a.url", "https://a/");
        tree.Shortcut("Fav/Old/b.url", "https://b/");
        tree.Write("program/Linkshelf.lfs",
                   "[Options]\r\nIgnoreFolders=Old\r\nLaunchBrowser=0\r\nPageTitle=Mine\r\n");
        form = std::make_unique<FormMain>(globals, tree.Path("program/linkshelf"));
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    std::string Caption() const { return S(form->windowTitle()); }
    void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void GoToPage(int index) {
        while (form->PageIndex() < index)
            Click(form->butNext);
    }

    TempTree tree;
    Globals globals;
    DialogDesktop desktop;
    std::unique_ptr<FormMain> form;
};

TEST_F(Wizard, StartsOnTheWelcomePageWithTheSettingsRead) {
    EXPECT_EQ(form->size(), QSize(433, 299));
    EXPECT_EQ(form->PageIndex(), 0);
    EXPECT_FALSE(form->butBack->isEnabled());
    EXPECT_TRUE(form->butNext->isEnabled());
    EXPECT_TRUE(form->butNext->isDefault());
    EXPECT_TRUE(form->butNext->hasFocus());
    EXPECT_EQ(Caption(), "Linkshelf： 欢迎您       ");
    EXPECT_EQ(S(form->butFinish->text()), "完成(&F)");
    EXPECT_EQ(S(form->lblVersion->text()), "Linkshelf ver. 2.0.1");
    EXPECT_EQ(S(form->lblWelcome->text()),
              "欢迎您使用 Linkshelf 。这个程序自动从 Internet Explorer 收藏文件夹中生成列出您的分组"
              "收藏夹链接的 HTML 页面。" +
                  std::string(31, ' ') +
                  "\r\n通过单击“继续 >”按钮来开始自定义页面。如果您想完全自定义最终 HTML "
                  "页面，请阅读 Readme.txt 文件上有关如何制作一个自定义模板的内容。" +
                  std::string(45, ' '));
    EXPECT_EQ(S(form->lblReadyToFinish->text()),
              "Linkshelf已经准备好制成页面。" + std::string(18, ' ') +
                  "\r\n\r\n如果您愿意，您可以回头去更改您的设置，否则请单击“完成”来完成您的书签页面"
                  "的创建。" +
                  std::string(38, ' '));
    EXPECT_EQ(S(form->lblPageInfo->text()),
              "请为您的页面指定标题，字体和其它设置。" + std::string(22, ' '));
    EXPECT_EQ(form->PageTitle(), "Mine");
    EXPECT_EQ(form->SourceFolder(), globals.FavoritesFolder);
    EXPECT_EQ(globals.IgnoreList, std::vector<std::string>{"Old"});

    QStringList fonts;
    for (int i = 0; i < form->cmbFontName->count(); ++i)
        fonts << form->cmbFontName->itemText(i);
    EXPECT_TRUE(fonts.contains("Default"));
    EXPECT_EQ(fonts.removeDuplicates(), 0);
    for (const QString& font : fonts)
        EXPECT_FALSE(font.endsWith(']')) << "a foundry tag in " << S(font);
    for (qsizetype i = 1; i < fonts.size(); ++i)
        EXPECT_LE(fonts[i - 1].compare(fonts[i], Qt::CaseInsensitive), 0);
    EXPECT_EQ(form->PageFont(), "Arial") << "the settings' font, though not in the list";
}

TEST_F(Wizard, NextAndBackSetTheButtonsAndTheCaption) {
    struct Step {
        QPushButton* press;
        int page;
        bool back, next;
        QPushButton* defaultButton;
        std::string caption;
    };
    const std::string seven(7, ' ');
    const Step steps[] = {
        {form->butNext, 1, true, true, form->butNext, "Linkshelf： 步骤 1 / 4" + seven},
        {form->butNext, 2, true, true, form->butNext, "Linkshelf： 步骤 2 / 4" + seven},
        {form->butNext, 3, true, true, form->butNext, "Linkshelf： 步骤 3 / 4" + seven},
        {form->butNext, 4, true, false, form->butFinish, "Linkshelf： 步骤 4 / 4" + seven},
        {form->butBack, 3, true, true, form->butFinish, "Linkshelf： 步骤 3 / 4" + seven},
        {form->butBack, 2, true, true, form->butFinish, "Linkshelf： 步骤 2 / 4" + seven},
        {form->butBack, 1, true, true, form->butFinish, "Linkshelf： 步骤 1 / 4" + seven},
        {form->butBack, 0, false, true, form->butNext, "Linkshelf： 欢迎您" + seven},
    };
    for (const Step& step : steps) {
        Click(step.press);
        EXPECT_EQ(form->PageIndex(), step.page);
        EXPECT_EQ(form->butBack->isEnabled(), step.back) << step.page;
        EXPECT_EQ(form->butNext->isEnabled(), step.next) << step.page;
        // A focused button is Enter's target only while it has the focus.
        form->setFocus();
        EXPECT_TRUE(step.defaultButton->isDefault()) << step.page;
        EXPECT_EQ(Caption(), step.caption);
        EXPECT_TRUE(form->butFinish->isEnabled() && form->butOptions->isEnabled() &&
                    form->butCancel->isEnabled());
    }
}

TEST_F(Wizard, FinishFromAnyPageShowsTheResultAndTurnsIntoExit) {
    GoToPage(1);
    Click(form->butFinish);
    EXPECT_EQ(form->PageIndex(), 5);
    EXPECT_EQ(Caption(), "Linkshelf： 已经完成      ");
    EXPECT_EQ(S(form->butFinish->text()), "退出(&X)");
    EXPECT_FALSE(form->butNext->isEnabled());
    EXPECT_TRUE(form->butBack->isEnabled());
    const std::string page = tree.Path("Desktop/Linkpage.htm");
    EXPECT_EQ(S(form->lblFinished->text()),
              "Linkshelf已经完成了创建您的书签页面，并且把它保存到了磁盘文件 \"" + page + "\" 。" +
                  std::string(26, ' ') + "\r\n\r\n合计找到 1 个链接   \r\n\r\n" +
                  "1 文件夹的目录被忽略。" + std::string(17, ' '));
    EXPECT_EQ(tree.Read("Desktop/Linkpage.htm"), "1");
    EXPECT_EQ(desktop.events, std::vector<std::string>{"beep"});
    EXPECT_NE(tree.Read("program/Linkshelf.lfs").find("PageTitle=Mine"), std::string::npos);

    Click(form->butBack);
    EXPECT_EQ(form->PageIndex(), 4);
    EXPECT_EQ(S(form->butFinish->text()), "完成(&F)");

    tree.Shortcut("Fav/c.url", "https://c/");
    QTest::keyClick(form->chkLaunchBrowser, Qt::Key_Return);
    EXPECT_EQ(form->PageIndex(), 5);
    EXPECT_EQ(tree.Read("Desktop/Linkpage.htm"), "2");

    QTest::keyClick(form->lblFinished, Qt::Key_Return);
    EXPECT_FALSE(form->isVisible()) << "Enter presses Exit, which closes the wizard";
}

TEST_F(Wizard, AMissingFolderShowsTheFavoritesButTheSavedValueStaysTheUsers) {
    const std::string stick = tree.Path("usb/links");
    form.reset();
    tree.Write("program/Linkshelf.lfs", "[Options]\r\nSourceFolder=" + stick + "\r\n");
    form = std::make_unique<FormMain>(globals, tree.Path("program/linkshelf"));
    form->show();
    EXPECT_EQ(form->SourceFolder(), globals.FavoritesFolder);
    Click(form->butFinish);
    EXPECT_EQ(tree.Read("Desktop/Linkpage.htm"), "2") << "the page comes from what is shown";
    EXPECT_NE(tree.Read("program/Linkshelf.lfs").find("SourceFolder=" + stick + "\r\n"),
              std::string::npos)
        << tree.Read("program/Linkshelf.lfs");
}

TEST_F(Wizard, EnterOnAnEarlierPageKeepsFinishAsTheDefault) {
    GoToPage(4);
    Click(form->butBack);
    Click(form->butBack);
    form->txtPageTitle->setFocus();
    QTest::keyClick(form->txtPageTitle, Qt::Key_Return);
    EXPECT_EQ(form->PageIndex(), 5);
    EXPECT_EQ(tree.Read("Desktop/Linkpage.htm"), "1");
}

TEST_F(Wizard, TheProgressWindowShowsWhileThePageIsBuiltAndTheWizardTakesNoInput) {
    for (int i = 0; i < 3000; ++i)
        tree.Shortcut("Fav/many/" + std::to_string(i) + ".url", "https://x/");
    bool progressShown = false;
    bool wizardEnabled = true;
    QPoint progressCentre;
    QTimer::singleShot(0, [&] {
        progressShown = form->frmProgress && form->frmProgress->isVisible() &&
                        form->frmProgress->Animation()->IsPlaying();
        wizardEnabled = form->isEnabled();
        if (form->frmProgress)
            progressCentre = form->frmProgress->frameGeometry().center();
        form->close();
        QTest::keyClick(form.get(), Qt::Key_Escape);
    });
    Click(form->butFinish);
    EXPECT_TRUE(progressShown);
    EXPECT_FALSE(wizardEnabled);
    EXPECT_LE((progressCentre - form->frameGeometry().center()).manhattanLength(), 2);
    EXPECT_TRUE(form->isVisible()) << "closing is refused while the page is built";
    EXPECT_TRUE(form->isEnabled());
    EXPECT_FALSE(form->frmProgress);
    EXPECT_EQ(form->PageIndex(), 5);
}

TEST_F(Wizard, NoShortcutAndFailedWritesLeaveTheWizardUsable) {
    form->SetSourceFolder(tree.Path("Desktop"));
    Click(form->butFinish);
    EXPECT_EQ(S(form->lblFinished->text()).rfind("Linkshelf在指定的文件夹内没有找到任何", 0), 0u);
    EXPECT_TRUE(form->isEnabled());

    Click(form->butBack);
    form->SetSourceFolder(tree.Path("Fav"));
    form->SetOutputFile(tree.Path("missing/page.htm"));
    Click(form->butFinish);
    EXPECT_EQ(desktop.events.at(1), "beep");
    EXPECT_EQ(desktop.events.at(2).rfind("error:Linkshelf:不能保存页面到文件", 0), 0u);
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(form->PageIndex(), 5);
}

// The box that says the page was not written shows over the wizard, not alone on the screen,
// though the progress window that was active has just gone.
TEST_F(Wizard, TheFailedWritesBoxBelongsToTheWizard) {
    QtDesktop qtDesktop;
    DesktopServices* previous = DesktopServices::Install(&qtDesktop);
    form->SetOutputFile(tree.Path("missing/page.htm"));
    QWidget* owner = nullptr;
    bool shown = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
                shown = true;
                owner = box->parentWidget();
                box->accept();
            }
        }
    });
    closer.start(20);
    Click(form->butFinish);
    DesktopServices::Install(previous);
    EXPECT_TRUE(shown);
    EXPECT_EQ(owner, form.get());
}

TEST_F(Wizard, ATextColourEqualToTheBackgroundIsRefused) {
    form->SetBackColor(0x00FF00);
    desktop.chosenColor = QColor(0, 255, 0);
    form->lblTextClick(form->lblLink);
    EXPECT_EQ(form->LinkColor(), 0xFF0000);
    EXPECT_EQ(desktop.events, (std::vector<std::string>{"color:#0000ff", "beep"}));

    desktop.chosenColor = QColor(0x12, 0x34, 0x56);
    form->lblTextClick(form->lblText);
    EXPECT_EQ(form->TextColor(), 0x563412);

    desktop.chosenColor = QColor(0x12, 0x34, 0x56);
    form->panBackClick();
    EXPECT_EQ(form->BackColor(), 0x563412) << "the background may equal a text colour";

    desktop.chosenColor.reset();
    form->panBackClick();
    EXPECT_EQ(form->BackColor(), 0x563412);

    form->SetBackColor(static_cast<StoredColor>(0x80000005u));
    desktop.chosenColor = QColor(form->lblText->palette().color(QPalette::Window));
    desktop.events.clear();
    form->lblTextClick(form->lblVLink);
    EXPECT_EQ(desktop.events.size(), 1u) << "a system colour is never equal to a chosen one";
}

// A click on a word opens only that word's dialog; one on the panel beside the words opens
// only the background's.
TEST_F(Wizard, EachColourClickOpensOneDialog) {
    GoToPage(3);
    struct Case {
        const char* name{};
        QWidget* target{};
        QPoint at;
        const char* opened{};
    };
    const Case cases[] = {
        {"text word", form->lblText, form->lblText->rect().center(), "color:#000000"},
        {"link word", form->lblLink, form->lblLink->rect().center(), "color:#0000ff"},
        {"visited word", form->lblVLink, form->lblVLink->rect().center(), "color:#800080"},
        {"panel", form->panBack, QPoint(5, 5), "color:#ffffff"},
    };
    for (const Case& c : cases) {
        desktop.events.clear();
        desktop.chosenColor.reset();
        QTest::mouseClick(c.target, Qt::LeftButton, {}, c.at);
        EXPECT_EQ(desktop.events, std::vector<std::string>{c.opened}) << c.name;
    }
    desktop.chosenColor = QColor(1, 2, 3);
    QTest::mouseClick(form->lblVLink, Qt::LeftButton);
    EXPECT_EQ(form->VLinkColor(), 0x030201);
    EXPECT_EQ(form->BackColor(), 0xFFFFFFu);
}

// Only a left click pressed and released on the side picture opens the home page.
TEST_F(Wizard, TheSidePictureOpensTheHomePageOnALeftClickOnly) {
    QLabel* picture = form->imgImage;
    const QPoint inside = picture->rect().center();
    const QPoint outside(picture->width() + 40, inside.y());
    struct Case {
        const char* name;
        std::function<void()> act;
        bool opens;
    };
    const Case cases[] = {
        {"left click", [&] { QTest::mouseClick(picture, Qt::LeftButton, {}, inside); }, true},
        {"right click", [&] { QTest::mouseClick(picture, Qt::RightButton, {}, inside); }, false},
        {"dragged off",
         [&] {
             QTest::mousePress(picture, Qt::LeftButton, {}, inside);
             QTest::mouseMove(picture, outside);
             QTest::mouseRelease(picture, Qt::LeftButton, {}, outside);
         },
         false},
    };
    for (const Case& c : cases) {
        desktop.events.clear();
        c.act();
        const std::vector<std::string> opened{"open:https://linkshelf.org/"};
        EXPECT_EQ(desktop.events, c.opens ? opened : std::vector<std::string>{}) << c.name;
    }
}

TEST_F(Wizard, LongValuesAreKeptWhole) {
    const std::string longText(40000, 'x');
    struct Case {
        const char* name;
        std::function<void(const std::string&)> set;
        std::function<std::string()> get;
    };
    const Case cases[] = {
        {"title", [&](const std::string& v) { form->SetPageTitle(v); },
         [&] { return form->PageTitle(); }},
        {"font", [&](const std::string& v) { form->SetPageFont(v); },
         [&] { return form->PageFont(); }},
        {"source folder", [&](const std::string& v) { form->SetSourceFolder(v); },
         [&] { return form->SourceFolder(); }},
        {"output file", [&](const std::string& v) { form->SetOutputFile(v); },
         [&] { return form->OutputFile(); }},
    };
    for (const Case& c : cases) {
        c.set(longText);
        EXPECT_EQ(c.get().size(), longText.size()) << c.name;
    }
}

TEST_F(Wizard, TheFolderPickerStartsAtTheTrimmedFolderAndOnlyOkChangesAnything) {
    form->SetSourceFolder("  " + tree.Path("Fav") + "  ");
    std::string startedAt;
    bool checkedAtStart = false;
    form->RunFolderPicker = [&](FolderPicker& picker) {
        startedAt = picker.Directory();
        checkedAtStart = picker.CustomButtonChecked();
        EXPECT_EQ(picker.Title(), "选择包括您想使用的的链接的文件夹：");
        EXPECT_EQ(picker.CustomButtonCaption(), "包括子文件夹(&S)");
        EXPECT_TRUE(picker.CustomButtonVisible());
        EXPECT_EQ(picker.Folder(), SpecialFolder::Favorites);
        picker.SetCustomButtonChecked(false);
        return false;
    };
    form->txtSourceFolderButtonClick();
    EXPECT_EQ(startedAt, tree.Path("Fav"));
    EXPECT_TRUE(checkedAtStart);
    EXPECT_EQ(form->SourceFolder(), "  " + tree.Path("Fav") + "  ");
    EXPECT_TRUE(form->IncludeSubfolders());

    form->RunFolderPicker = [&](FolderPicker& picker) {
        picker.SetDirectory(tree.Path("Fav/Old"));
        picker.SetCustomButtonChecked(false);
        return true;
    };
    form->txtSourceFolderButtonClick();
    EXPECT_EQ(form->SourceFolder(), tree.Path("Fav/Old"));
    EXPECT_FALSE(form->IncludeSubfolders());
}

TEST_F(Wizard, TheSaveDialogGetsTheNameAsTypedAndOnlyOkChangesIt) {
    form->SetOutputFile(" page ");
    form->txtFileNameButtonClick();
    EXPECT_EQ(desktop.events,
              (std::vector<std::string>{"file: page |HTML 文件 (*.html *.htm)|htm|save"}));
    EXPECT_EQ(form->OutputFile(), " page ");
    desktop.chosenFile = "/home/u/links.htm";
    form->txtFileNameButtonClick();
    EXPECT_EQ(form->OutputFile(), "/home/u/links.htm");
}

TEST_F(Wizard, ClosingByAnyWayWritesTheInstallRecord) {
    for (const auto& close : std::vector<std::function<void(FormMain&)>>{
             [](FormMain& f) { QTest::mouseClick(f.butCancel, Qt::LeftButton); },
             [](FormMain& f) { QTest::keyClick(&f, Qt::Key_Escape); },
             [](FormMain& f) { f.close(); }}) {
        tree.Write("etc/Linkshelf Project/Linkshelf.ini", "");
        form->show();
        close(*form);
        EXPECT_FALSE(form->isVisible());
        const std::string record = tree.Read("etc/Linkshelf Project/Linkshelf.ini");
        EXPECT_NE(record.find("[2.0]"), std::string::npos) << record;
        EXPECT_NE(record.find("VersionMajor=2"), std::string::npos);
        EXPECT_NE(record.find("Location=" + tree.Path("program/linkshelf")), std::string::npos);
    }
}

// A page name far wider than the result page wraps inside itself and is shown whole.
TEST_F(Wizard, TheResultShowsALongPageNameWhole) {
    form->SetOutputFile(tree.Path("Desktop/" + std::string(120, 'N') + "ThatGoesOn.htm"));
    Click(form->butFinish);
    ASSERT_EQ(form->PageIndex(), 5);
    QLabel* result = form->lblFinished;
    EXPECT_NE(S(result->text()).find("ThatGoesOn.htm"), std::string::npos);
    EXPECT_LE(result->minimumSizeHint().width(), result->width());
    EXPECT_LE(result->heightForWidth(result->width()), result->height());
}

TEST_F(Wizard, ALabelShowsAnAmpersandInAResultAsItIs) {
    form->SetOutputFile(tree.Path("Desktop/a&b.htm"));
    Click(form->butFinish);
    EXPECT_NE(S(form->lblFinished->text()).find("a&b.htm"), std::string::npos);
    EXPECT_EQ(form->lblFinished->textFormat(), Qt::PlainText);
}

} // namespace
