// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FormMain.h"

#include "GvdbWriter.h"
#include "RecordingDesktop.h"
#include "TempTree.h"
#include "WizardControls.h"
#include "controls/BrowseLineEdit.h"
#include "controls/FolderPicker.h"
#include "desktop/QtDesktop.h"
#include "platform/Version.h"
#include "ui/ColorLabel.h"
#include "ui/ColorPanel.h"
#include "ui/FormProgress.h"
#include "ui/ProgressAnimation.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <cstring>
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
            Click(Find<QPushButton>(*form, "nextButton"));
    }
    void ClickWord(const char* colorLabel) {
        QTest::mouseClick(Find<ColorLabel>(*form, colorLabel), Qt::LeftButton);
    }
    // Where the panel shows its colour, clear of the words.
    void ClickPanel() {
        QTest::mouseClick(Find<ColorPanel>(*form, "backgroundPanel"), Qt::LeftButton, {},
                          QPoint(5, 5));
    }
    void ClickBrowseButton(const char* edit) {
        auto* field = Find<BrowseLineEdit>(*form, edit);
        QTest::mouseClick(field, Qt::LeftButton, {}, field->ButtonRect().center());
    }

    TempTree tree;
    Globals globals;
    DialogDesktop desktop;
    std::unique_ptr<FormMain> form;
};

TEST_F(Wizard, StartsOnTheWelcomePageWithTheSettingsRead) {
    EXPECT_EQ(form->size(), QSize(433, 299));
    EXPECT_EQ(form->PageIndex(), 0);
    EXPECT_FALSE(Find<QPushButton>(*form, "backButton")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(*form, "nextButton")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(*form, "nextButton")->isDefault());
    EXPECT_TRUE(Find<QPushButton>(*form, "nextButton")->hasFocus());
    EXPECT_EQ(Caption(), "Linkshelf： 欢迎您       ");
    EXPECT_EQ(S(Find<QPushButton>(*form, "finishButton")->text()), "完成(&F)");
    EXPECT_EQ(S(Find<QLabel>(*form, "versionLabel")->text()),
              "Linkshelf ver. " + std::string(Version::Text));
    EXPECT_EQ(S(Find<QLabel>(*form, "welcomeText")->text()),
              "欢迎您使用 Linkshelf 。这个程序自动从 Internet Explorer 收藏文件夹中生成列出您的分组"
              "收藏夹链接的 HTML 页面。" +
                  std::string(31, ' ') +
                  "\r\n通过单击“继续 >”按钮来开始自定义页面。如果您想完全自定义最终 HTML "
                  "页面，请阅读 Readme.txt 文件上有关如何制作一个自定义模板的内容。" +
                  std::string(45, ' '));
    EXPECT_EQ(S(Find<QLabel>(*form, "readyText")->text()),
              "Linkshelf已经准备好制成页面。" + std::string(18, ' ') +
                  "\r\n\r\n如果您愿意，您可以回头去更改您的设置，否则请单击“完成”来完成您的书签页面"
                  "的创建。" +
                  std::string(38, ' '));
    EXPECT_EQ(S(Find<QLabel>(*form, "pageInfoText")->text()),
              "请为您的页面指定标题，字体和其它设置。" + std::string(22, ' '));
    EXPECT_EQ(form->CurrentSettings().pageTitle, "Mine");
    EXPECT_EQ(form->CurrentSettings().sourceFolder, globals.FavoritesFolder);
    EXPECT_EQ(globals.IgnoreList, std::vector<std::string>{"Old"});

    QStringList fonts;
    for (int i = 0; i < Find<QComboBox>(*form, "fontBox")->count(); ++i)
        fonts << Find<QComboBox>(*form, "fontBox")->itemText(i);
    EXPECT_TRUE(fonts.contains("Default"));
    EXPECT_EQ(fonts.removeDuplicates(), 0);
    for (const QString& font : fonts)
        EXPECT_FALSE(font.endsWith(']')) << "a foundry tag in " << S(font);
    for (qsizetype i = 1; i < fonts.size(); ++i)
        EXPECT_LE(fonts[i - 1].compare(fonts[i], Qt::CaseInsensitive), 0);
    EXPECT_EQ(form->CurrentSettings().pageFont, "Arial")
        << "the settings' font, though not in the list";
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
        {Find<QPushButton>(*form, "nextButton"), 1, true, true,
         Find<QPushButton>(*form, "nextButton"), "Linkshelf： 步骤 1 / 4" + seven},
        {Find<QPushButton>(*form, "nextButton"), 2, true, true,
         Find<QPushButton>(*form, "nextButton"), "Linkshelf： 步骤 2 / 4" + seven},
        {Find<QPushButton>(*form, "nextButton"), 3, true, true,
         Find<QPushButton>(*form, "nextButton"), "Linkshelf： 步骤 3 / 4" + seven},
        {Find<QPushButton>(*form, "nextButton"), 4, true, false,
         Find<QPushButton>(*form, "finishButton"), "Linkshelf： 步骤 4 / 4" + seven},
        {Find<QPushButton>(*form, "backButton"), 3, true, true,
         Find<QPushButton>(*form, "finishButton"), "Linkshelf： 步骤 3 / 4" + seven},
        {Find<QPushButton>(*form, "backButton"), 2, true, true,
         Find<QPushButton>(*form, "finishButton"), "Linkshelf： 步骤 2 / 4" + seven},
        {Find<QPushButton>(*form, "backButton"), 1, true, true,
         Find<QPushButton>(*form, "finishButton"), "Linkshelf： 步骤 1 / 4" + seven},
        {Find<QPushButton>(*form, "backButton"), 0, false, true,
         Find<QPushButton>(*form, "nextButton"), "Linkshelf： 欢迎您" + seven},
    };
    for (const Step& step : steps) {
        Click(step.press);
        EXPECT_EQ(form->PageIndex(), step.page);
        EXPECT_EQ(Find<QPushButton>(*form, "backButton")->isEnabled(), step.back) << step.page;
        EXPECT_EQ(Find<QPushButton>(*form, "nextButton")->isEnabled(), step.next) << step.page;
        // A focused button is Enter's target only while it has the focus.
        form->setFocus();
        EXPECT_TRUE(step.defaultButton->isDefault()) << step.page;
        EXPECT_EQ(Caption(), step.caption);
        EXPECT_TRUE(Find<QPushButton>(*form, "finishButton")->isEnabled() &&
                    Find<QPushButton>(*form, "optionsButton")->isEnabled() &&
                    Find<QPushButton>(*form, "closeButton")->isEnabled());
    }
}

TEST_F(Wizard, TheSiteIconsBoxOnThePageTitlePageTurnsIconsOff) {
    GoToPage(2);
    auto* box = Find<QCheckBox>(*form, "showIconsBox");
    ASSERT_TRUE(box->isVisible());
    EXPECT_TRUE(box->isChecked()) << "on by default";
    // On the box itself: the check box takes clicks on its mark and its text only.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    EXPECT_FALSE(form->CurrentSettings().showIcons);
    Click(Find<QPushButton>(*form, "finishButton"));
    EXPECT_NE(tree.Read("program/Linkshelf.lfs").find("ShowIcons=0"), std::string::npos);
}

TEST_F(Wizard, FinishFromAnyPageShowsTheResultAndTurnsIntoExit) {
    GoToPage(1);
    Click(Find<QPushButton>(*form, "finishButton"));
    EXPECT_EQ(form->PageIndex(), 5);
    EXPECT_EQ(Caption(), "Linkshelf： 已经完成      ");
    EXPECT_EQ(S(Find<QPushButton>(*form, "finishButton")->text()), "退出(&X)");
    EXPECT_FALSE(Find<QPushButton>(*form, "nextButton")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(*form, "backButton")->isEnabled());
    const std::string page = tree.Path("Desktop/Linkpage.htm");
    EXPECT_EQ(S(Find<QLabel>(*form, "resultText")->text()),
              "Linkshelf已经完成了创建您的书签页面，并且把它保存到了磁盘文件 \"" + page + "\" 。" +
                  std::string(26, ' ') + "\r\n\r\n合计找到 1 个链接   \r\n\r\n" +
                  "1 文件夹的目录被忽略。" + std::string(17, ' '));
    EXPECT_EQ(tree.Read("Desktop/Linkpage.htm"), "1");
    EXPECT_EQ(desktop.events, std::vector<std::string>{"beep"});
    EXPECT_NE(tree.Read("program/Linkshelf.lfs").find("PageTitle=Mine"), std::string::npos);

    Click(Find<QPushButton>(*form, "backButton"));
    EXPECT_EQ(form->PageIndex(), 4);
    EXPECT_EQ(S(Find<QPushButton>(*form, "finishButton")->text()), "完成(&F)");

    // Finished from the keyboard, the focus goes on to a control the result page shows.
    tree.Shortcut("Fav/c.url", "https://c/");
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    Find<QCheckBox>(*form, "launchBrowserBox")->setFocus();
    QTest::keyClick(Find<QCheckBox>(*form, "launchBrowserBox"), Qt::Key_F, Qt::AltModifier);
    // A key presses a button as a short click does, once its pressed look has shown.
    ASSERT_TRUE(QTest::qWaitFor([this] { return form->PageIndex() == 5; }));
    EXPECT_EQ(tree.Read("Desktop/Linkpage.htm"), "2");
    // The progress window took the activation; the wizard's own focus is what shows once it
    // has it back.
    QWidget* focus = form->focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_TRUE(focus->isVisible()) << S(focus->objectName());

    QTest::keyClick(focus, Qt::Key_Return);
    EXPECT_FALSE(form->isVisible()) << "Enter presses Exit, which closes the wizard";
}

TEST_F(Wizard, AMissingFolderShowsTheFavoritesButTheSavedValueStaysTheUsers) {
    const std::string stick = tree.Path("usb/links");
    form.reset();
    tree.Write("program/Linkshelf.lfs", "[Options]\r\nSourceFolder=" + stick + "\r\n");
    form = std::make_unique<FormMain>(globals, tree.Path("program/linkshelf"));
    form->show();
    EXPECT_EQ(form->CurrentSettings().sourceFolder, globals.FavoritesFolder);
    Click(Find<QPushButton>(*form, "finishButton"));
    EXPECT_EQ(tree.Read("Desktop/Linkpage.htm"), "2") << "the page comes from what is shown";
    EXPECT_NE(tree.Read("program/Linkshelf.lfs").find("SourceFolder=" + stick + "\r\n"),
              std::string::npos)
        << tree.Read("program/Linkshelf.lfs");
}

TEST_F(Wizard, EnterOnAnEarlierPageKeepsFinishAsTheDefault) {
    GoToPage(4);
    Click(Find<QPushButton>(*form, "backButton"));
    Click(Find<QPushButton>(*form, "backButton"));
    Find<QLineEdit>(*form, "pageTitleEdit")->setFocus();
    QTest::keyClick(Find<QLineEdit>(*form, "pageTitleEdit"), Qt::Key_Return);
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
        progressShown = form->findChild<FormProgress*>() &&
                        form->findChild<FormProgress*>()->isVisible() &&
                        form->findChild<FormProgress*>()->Animation()->IsPlaying();
        wizardEnabled = form->isEnabled();
        if (form->findChild<FormProgress*>())
            progressCentre = form->findChild<FormProgress*>()->frameGeometry().center();
        form->close();
        QTest::keyClick(form.get(), Qt::Key_Escape);
    });
    Click(Find<QPushButton>(*form, "finishButton"));
    EXPECT_TRUE(progressShown);
    EXPECT_FALSE(wizardEnabled);
    EXPECT_LE((progressCentre - form->frameGeometry().center()).manhattanLength(), 2);
    EXPECT_TRUE(form->isVisible()) << "closing is refused while the page is built";
    EXPECT_TRUE(form->isEnabled());
    EXPECT_FALSE(form->findChild<FormProgress*>());
    EXPECT_EQ(form->PageIndex(), 5);
}

TEST_F(Wizard, NoShortcutAndFailedWritesLeaveTheWizardUsable) {
    ChangeSetting(*form, &Settings::sourceFolder, tree.Path("Desktop"));
    Click(Find<QPushButton>(*form, "finishButton"));
    EXPECT_EQ(S(Find<QLabel>(*form, "resultText")->text())
                  .rfind("Linkshelf在指定的文件夹内没有找到任何", 0),
              0u);
    EXPECT_TRUE(form->isEnabled());

    Click(Find<QPushButton>(*form, "backButton"));
    ChangeSetting(*form, &Settings::sourceFolder, tree.Path("Fav"));
    ChangeSetting(*form, &Settings::outputFile, tree.Path("missing/page.htm"));
    Click(Find<QPushButton>(*form, "finishButton"));
    EXPECT_EQ(desktop.events.at(1), "beep");
    EXPECT_EQ(desktop.events.at(2).rfind("error:Linkshelf:不能保存页面到文件", 0), 0u);
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(form->PageIndex(), 5);
}

// A folder typed on the folder page is only looked at by Finish, which names it and the reason
// when it is not there, rather than calling it a folder without shortcuts.
TEST_F(Wizard, AFolderThatIsNotThereIsReportedAsSuch) {
    GoToPage(1);
    auto* source = Find<BrowseLineEdit>(*form, "sourceFolderEdit");
    source->selectAll();
    QTest::keyClicks(source, QString::fromStdString(tree.Path("Gone")));
    Click(Find<QPushButton>(*form, "nextButton"));
    Click(Find<QPushButton>(*form, "finishButton"));
    const std::string result = S(Find<QLabel>(*form, "resultText")->text());
    EXPECT_NE(result.find("\"" + tree.Path("Gone") + "\""), std::string::npos) << result;
    EXPECT_NE(result.find(std::strerror(ENOENT)), std::string::npos) << result;
    EXPECT_EQ(result.find("没有找到任何"), std::string::npos) << result;
    EXPECT_EQ(form->PageIndex(), 5);
}

// The box that says the page was not written shows over the wizard, not alone on the screen,
// though the progress window that was active has just gone.
TEST_F(Wizard, TheFailedWritesBoxBelongsToTheWizard) {
    QtDesktop qtDesktop;
    DesktopServices* previous = DesktopServices::Install(&qtDesktop);
    ChangeSetting(*form, &Settings::outputFile, tree.Path("missing/page.htm"));
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
    Click(Find<QPushButton>(*form, "finishButton"));
    DesktopServices::Install(previous);
    EXPECT_TRUE(shown);
    EXPECT_EQ(owner, form.get());
}

TEST_F(Wizard, ATextColourEqualToTheBackgroundIsRefused) {
    GoToPage(3);
    ChangeSetting(*form, &Settings::backColor, 0x00FF00);
    desktop.chosenColor = QColor(0, 255, 0);
    ClickWord("linkColorLabel");
    EXPECT_EQ(form->CurrentSettings().linkColor, 0xFF0000);
    EXPECT_EQ(desktop.events, (std::vector<std::string>{"color:#0000ff", "beep"}));

    desktop.chosenColor = QColor(0x12, 0x34, 0x56);
    ClickWord("textColorLabel");
    EXPECT_EQ(form->CurrentSettings().textColor, 0x563412);

    desktop.chosenColor = QColor(0x12, 0x34, 0x56);
    ClickPanel();
    EXPECT_EQ(form->CurrentSettings().backColor, 0x563412)
        << "the background may equal a text colour";

    desktop.chosenColor.reset();
    ClickPanel();
    EXPECT_EQ(form->CurrentSettings().backColor, 0x563412);

    ChangeSetting(*form, &Settings::backColor, static_cast<StoredColor>(0x80000005u));
    desktop.chosenColor =
        QColor(Find<ColorLabel>(*form, "textColorLabel")->palette().color(QPalette::Window));
    desktop.events.clear();
    ClickWord("visitedColorLabel");
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
        {"text word", Find<ColorLabel>(*form, "textColorLabel"),
         Find<ColorLabel>(*form, "textColorLabel")->rect().center(), "color:#000000"},
        {"link word", Find<ColorLabel>(*form, "linkColorLabel"),
         Find<ColorLabel>(*form, "linkColorLabel")->rect().center(), "color:#0000ff"},
        {"visited word", Find<ColorLabel>(*form, "visitedColorLabel"),
         Find<ColorLabel>(*form, "visitedColorLabel")->rect().center(), "color:#800080"},
        {"panel", Find<ColorPanel>(*form, "backgroundPanel"), QPoint(5, 5), "color:#ffffff"},
    };
    for (const Case& c : cases) {
        desktop.events.clear();
        desktop.chosenColor.reset();
        QTest::mouseClick(c.target, Qt::LeftButton, {}, c.at);
        EXPECT_EQ(desktop.events, std::vector<std::string>{c.opened}) << c.name;
    }
    desktop.chosenColor = QColor(1, 2, 3);
    QTest::mouseClick(Find<ColorLabel>(*form, "visitedColorLabel"), Qt::LeftButton);
    EXPECT_EQ(form->CurrentSettings().visitedLinkColor, 0x030201);
    EXPECT_EQ(form->CurrentSettings().backColor, 0xFFFFFFu);
}

// Only a left click pressed and released on the side picture opens the home page.
TEST_F(Wizard, TheSidePictureOpensTheHomePageOnALeftClickOnly) {
    auto* picture = Find<QLabel>(*form, "sidePicture");
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
        {"title", [&](const std::string& v) { ChangeSetting(*form, &Settings::pageTitle, v); },
         [&] { return form->CurrentSettings().pageTitle; }},
        {"font", [&](const std::string& v) { ChangeSetting(*form, &Settings::pageFont, v); },
         [&] { return form->CurrentSettings().pageFont; }},
        {"source folder",
         [&](const std::string& v) { ChangeSetting(*form, &Settings::sourceFolder, v); },
         [&] { return form->CurrentSettings().sourceFolder; }},
        {"output file",
         [&](const std::string& v) { ChangeSetting(*form, &Settings::outputFile, v); },
         [&] { return form->CurrentSettings().outputFile; }},
    };
    for (const Case& c : cases) {
        c.set(longText);
        EXPECT_EQ(c.get().size(), longText.size()) << c.name;
    }
}

TEST_F(Wizard, TheFolderPickerStartsAtTheTrimmedFolderAndOnlyOkChangesAnything) {
    GoToPage(1);
    ChangeSetting(*form, &Settings::sourceFolder, "  " + tree.Path("Fav") + "  ");
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
    ClickBrowseButton("sourceFolderEdit");
    EXPECT_EQ(startedAt, tree.Path("Fav"));
    EXPECT_TRUE(checkedAtStart);
    EXPECT_EQ(form->CurrentSettings().sourceFolder, "  " + tree.Path("Fav") + "  ");
    EXPECT_TRUE(form->CurrentSettings().includeSubfolders);

    form->RunFolderPicker = [&](FolderPicker& picker) {
        picker.SetDirectory(tree.Path("Fav/Old"));
        picker.SetCustomButtonChecked(false);
        return true;
    };
    ClickBrowseButton("sourceFolderEdit");
    EXPECT_EQ(form->CurrentSettings().sourceFolder, tree.Path("Fav/Old"));
    EXPECT_FALSE(form->CurrentSettings().includeSubfolders);
}

TEST_F(Wizard, TheSaveDialogGetsTheNameAsTypedAndOnlyOkChangesIt) {
    GoToPage(1);
    ChangeSetting(*form, &Settings::outputFile, " page ");
    ClickBrowseButton("outputFileEdit");
    EXPECT_EQ(desktop.events,
              (std::vector<std::string>{"file: page |HTML 文件 (*.html *.htm)|htm|save"}));
    EXPECT_EQ(form->CurrentSettings().outputFile, " page ");
    desktop.chosenFile = "/home/u/links.htm";
    ClickBrowseButton("outputFileEdit");
    EXPECT_EQ(form->CurrentSettings().outputFile, "/home/u/links.htm");
}

TEST_F(Wizard, ClosingByAnyWayWritesTheInstallRecord) {
    for (const auto& close : std::vector<std::function<void(FormMain&)>>{
             [](FormMain& f) {
                 QTest::mouseClick(Find<QPushButton>(f, "closeButton"), Qt::LeftButton);
             },
             [](FormMain& f) { QTest::keyClick(&f, Qt::Key_Escape); },
             [](FormMain& f) { f.close(); }}) {
        tree.Write("etc/Linkshelf Project/Linkshelf.ini", "");
        form->show();
        close(*form);
        EXPECT_FALSE(form->isVisible());
        const std::string record = tree.Read("etc/Linkshelf Project/Linkshelf.ini");
        const std::string majorMinor =
            std::to_string(Version::Major) + "." + std::to_string(Version::Minor);
        EXPECT_NE(record.find("[" + majorMinor + "]"), std::string::npos) << record;
        EXPECT_NE(record.find("VersionMajor=" + std::to_string(Version::Major)), std::string::npos);
        EXPECT_NE(record.find("Location=" + tree.Path("program/linkshelf")), std::string::npos);
    }
}

// A page name far wider than the result page wraps inside itself and is shown whole.
TEST_F(Wizard, TheResultShowsALongPageNameWhole) {
    ChangeSetting(*form, &Settings::outputFile,
                  tree.Path("Desktop/" + std::string(120, 'N') + "ThatGoesOn.htm"));
    Click(Find<QPushButton>(*form, "finishButton"));
    ASSERT_EQ(form->PageIndex(), 5);
    auto* result = Find<QLabel>(*form, "resultText");
    EXPECT_NE(S(result->text()).find("ThatGoesOn.htm"), std::string::npos);
    EXPECT_LE(result->minimumSizeHint().width(), result->width());
    EXPECT_LE(result->heightForWidth(result->width()), result->height());
}

TEST_F(Wizard, ALabelShowsAnAmpersandInAResultAsItIs) {
    ChangeSetting(*form, &Settings::outputFile, tree.Path("Desktop/a&b.htm"));
    Click(Find<QPushButton>(*form, "finishButton"));
    EXPECT_NE(S(Find<QLabel>(*form, "resultText")->text()).find("a&b.htm"), std::string::npos);
    EXPECT_EQ(Find<QLabel>(*form, "resultText")->textFormat(), Qt::PlainText);
}

} // namespace

// With no folder of shortcuts yet, the folder page offers the browsers found on this machine,
// each with its count of links: one click imports into the Favorites folder (made now) and the
// imported folder becomes the source. With a folder of shortcuts, nothing is offered.
TEST_F(Wizard, WithoutShortcutsOneClickBringsInEachBrowsersBookmarks) {
    EXPECT_EQ(form->findChild<QWidget*>("importOffer"), nullptr);

    const QByteArray home = qgetenv("HOME");
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    const auto restore = qScopeGuard([&] {
        qputenv("HOME", home);
        qputenv("XDG_CONFIG_HOME", config);
    });
    qputenv("HOME", QByteArray::fromStdString(tree.Path("home")));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(tree.Path("home/.config")));
    for (const char* profile : {"chromium/Default", "vivaldi/Default"}) {
        tree.Folder(std::string("home/.config/") + profile);
        QFile::copy(LINKSHELF_TEST_DATA "/import/Bookmarks",
                    QString::fromStdString(
                        tree.Path(std::string("home/.config/") + profile + "/Bookmarks")));
    }
    globals.FavoritesFolder = tree.Path("home/Favorites/");
    tree.Write("program/Linkshelf.lfs", "[Options]\r\nLaunchBrowser=0\r\n");
    form = std::make_unique<FormMain>(globals, tree.Path("program/linkshelf"));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    GoToPage(1);

    auto* chromium = Find<QPushButton>(*form, "importChromium");
    EXPECT_EQ(S(chromium->text()), "Chromium（4 个链接）");
    EXPECT_EQ(chromium->y(), Find<QPushButton>(*form, "importVivaldi")->y())
        << "two browsers share a row";
    EXPECT_FALSE(Find<QLabel>(*form, "folderPageText")->isVisible());
    Click(chromium);
    const std::string imported = tree.Path("home/Favorites/Chromium");
    EXPECT_EQ(Find<BrowseLineEdit>(*form, "sourceFolderEdit")->Text(), imported);
    EXPECT_TRUE(QDir(QString::fromStdString(imported)).exists());

    // The other browser is still offered, under what was imported; once it is in too, the
    // page lists both and says what each import wrote.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto* offerText = Find<QLabel>(*form, "importOfferText");
    const auto summary = [this](const char* browser) {
        return "已导入 4 个链接和 3 个文件夹到 \"" + tree.Path("home/Favorites/") + browser +
               "\"。跳过了 1 个不能在网页中打开的链接。";
    };
    EXPECT_EQ(S(offerText->text()), summary("Chromium") + "\n也导入：");
    EXPECT_EQ(form->findChild<QPushButton*>("importChromium"), nullptr);
    Click(Find<QPushButton>(*form, "importVivaldi"));
    EXPECT_EQ(Find<BrowseLineEdit>(*form, "sourceFolderEdit")->Text(),
              tree.Path("home/Favorites/"));
    EXPECT_TRUE(Find<QCheckBox>(*form, "includeSubfoldersBox")->isChecked());
    EXPECT_TRUE(QDir(QString::fromStdString(tree.Path("home/Favorites/Vivaldi"))).exists());
    EXPECT_FALSE(Find<QWidget>(*form, "importOffer")->isVisible());
    EXPECT_TRUE(Find<QLabel>(*form, "folderPageText")->isVisible());
    EXPECT_EQ(S(Find<QLabel>(*form, "folderPageText")->text()),
              summary("Chromium") + "\n" + summary("Vivaldi"));
}

namespace {

// Keys as the user types them: to whatever control has the focus.
void Type(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// The object names the focus visits, Tab after Tab, until it is back where it started.
std::vector<std::string> TabRound() {
    std::vector<std::string> visited;
    const QWidget* start = QApplication::focusWidget();
    for (int step = 0; step < 30; ++step) {
        Type(Qt::Key_Tab);
        if (QApplication::focusWidget() == start)
            break;
        visited.push_back(S(QApplication::focusWidget()->objectName()));
    }
    return visited;
}

void TabTo(const QWidget* control) {
    for (int step = 0; step < 30 && QApplication::focusWidget() != control; ++step)
        Type(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), control);
}

} // namespace

// Enter on Next walks the pages; on the colour page Tab reaches each colour after the wizard's
// buttons, and Space or Enter opens its dialog.
TEST_F(Wizard, EachColourChangesWithKeysOnly) {
    for (int page = 0; page < 3; ++page)
        Type(Qt::Key_Return);
    ASSERT_EQ(form->PageIndex(), 3);
    EXPECT_EQ(TabRound(),
              (std::vector<std::string>{"finishButton", "closeButton", "optionsButton",
                                        "backButton", "textColorLabel", "linkColorLabel",
                                        "visitedColorLabel", "backgroundPanel"}));
    struct Case {
        const char* control;
        Qt::Key key;
        StoredColor Settings::*setting;
        const char* name;
    };
    const Case cases[] = {
        {"textColorLabel", Qt::Key_Space, &Settings::textColor, "文本颜色：#010203"},
        {"linkColorLabel", Qt::Key_Return, &Settings::linkColor, "链接颜色：#040506"},
        {"visitedColorLabel", Qt::Key_Enter, &Settings::visitedLinkColor,
         "访问过的链接颜色：#070809"},
        {"backgroundPanel", Qt::Key_Space, &Settings::backColor, "背景颜色：#0A0B0C"},
    };
    int shade = 1;
    for (const Case& c : cases) {
        auto* control = Find<QWidget>(*form, c.control);
        TabTo(control);
        desktop.chosenColor = QColor(shade, shade + 1, shade + 2);
        desktop.events.clear();
        Type(c.key);
        EXPECT_EQ(desktop.events.size(), 1u) << c.control;
        EXPECT_EQ(form->CurrentSettings().*c.setting,
                  static_cast<StoredColor>(shade | (shade + 1) << 8 | (shade + 2) << 16))
            << c.control;
        EXPECT_EQ(S(control->accessibleName()), c.name);
        EXPECT_EQ(form->PageIndex(), 3) << "Enter stays with the colour";
        shade += 3;
    }
}

// On the folder page Tab reaches each browse button right after its field; Space or Enter there,
// and F4 or Alt+Down in the field, open the picker although Next is the default button.
TEST_F(Wizard, TheFolderAndTheFileAreChosenWithKeysOnly) {
    Type(Qt::Key_Return);
    ASSERT_EQ(form->PageIndex(), 1);
    auto* source = Find<BrowseLineEdit>(*form, "sourceFolderEdit");
    auto* output = Find<BrowseLineEdit>(*form, "outputFileEdit");
    const std::vector<std::string> round = TabRound();
    const std::vector<std::string> fields(round.begin() + 4, round.end());
    EXPECT_EQ(fields,
              (std::vector<std::string>{"sourceFolderEdit", "browseButton", "includeSubfoldersBox",
                                        "outputFileEdit", "browseButton"}));
    int pickerRuns = 0;
    form->RunFolderPicker = [&](FolderPicker& picker) {
        picker.SetDirectory(tree.Path("Fav/Old"));
        ++pickerRuns;
        return true;
    };
    TabTo(source->Button());
    Type(Qt::Key_Space);
    EXPECT_EQ(pickerRuns, 1);
    EXPECT_EQ(form->CurrentSettings().sourceFolder, tree.Path("Fav/Old"));
    Type(Qt::Key_Return);
    EXPECT_EQ(pickerRuns, 2) << "Enter on the browse button";
    TabTo(source);
    Type(Qt::Key_F4);
    Type(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(pickerRuns, 4);
    EXPECT_EQ(form->PageIndex(), 1);

    desktop.chosenFile = tree.Path("Desktop/mine.htm");
    TabTo(output->Button());
    Type(Qt::Key_Space);
    EXPECT_EQ(form->CurrentSettings().outputFile, tree.Path("Desktop/mine.htm"));
    EXPECT_EQ(S(source->Button()->accessibleName()), "浏览文件夹...");
    EXPECT_EQ(S(output->Button()->accessibleName()), "浏览文件...");
}

// Opened from the keyboard, the Options menu starts on its first item; opened with the mouse,
// on none.
TEST_F(Wizard, TheOptionsMenuOpenedFromTheKeyboardSelectsItsFirstItem) {
    auto* options = Find<QPushButton>(*form, "optionsButton");
    auto* menu = Find<QMenu>(*form, "optionsMenu");
    TabTo(options);
    Type(Qt::Key_Space);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->activeAction(), menu->actions().constFirst());
    menu->close();
    QTest::mouseClick(options, Qt::LeftButton);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->activeAction(), nullptr);
    menu->close();
}

// A new page and a run's result reach a screen reader as the description of the buttons that
// keep the focus.
TEST_F(Wizard, EachPageIsAnnouncedOnTheWizardsButtons) {
    auto* next = Find<QPushButton>(*form, "nextButton");
    EXPECT_TRUE(S(next->accessibleDescription()).starts_with("欢迎您使用 Linkshelf 。"));
    EXPECT_EQ(S(Find<QLabel>(*form, "welcomeText")->accessibleName()).find('\r'),
              std::string::npos);
    Type(Qt::Key_Return);
    Type(Qt::Key_Return);
    EXPECT_EQ(S(next->accessibleDescription()), "请为您的页面指定标题，字体和其它设置。");
    EXPECT_EQ(S(next->accessibleName()), "继续");
    EXPECT_EQ(S(Find<QPushButton>(*form, "backButton")->accessibleName()), "返回");
    QTest::mouseClick(Find<QPushButton>(*form, "finishButton"), Qt::LeftButton);
    ASSERT_EQ(form->PageIndex(), FormMain::PageCount - 1);
    const QString result = Find<QLabel>(*form, "resultText")->text().simplified();
    EXPECT_FALSE(result.isEmpty());
    EXPECT_EQ(next->accessibleDescription(), result);
}

// Whatever browser a Linux user has, the first start offers it: in a home holding a profile of
// each family, each is offered with its count of links, and one click imports it.
TEST_F(Wizard, OffersEveryBrowserFamilyFoundAtHome) {
    const QByteArray saved[] = {qgetenv("HOME"), qgetenv("XDG_CONFIG_HOME"),
                                qgetenv("XDG_DATA_HOME")};
    const auto restore = qScopeGuard([&] {
        qputenv("HOME", saved[0]);
        qputenv("XDG_CONFIG_HOME", saved[1]);
        qputenv("XDG_DATA_HOME", saved[2]);
    });
    qputenv("HOME", QByteArray::fromStdString(tree.Path("home")));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(tree.Path("home/.config")));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(tree.Path("home/.local/share")));
    tree.Write("home/.config/falkon/profiles/default/bookmarks.json",
               R"({"roots":{"bookmark_menu":{"children":[)"
               R"({"type":"url","name":"KDE","url":"https://kde.org/"},)"
               R"({"type":"url","name":"Falkon","url":"https://falkon.org/"}]}},"version":1})");
    tree.Write("home/.local/share/konqueror/bookmarks.xml",
               "<!DOCTYPE xbel><xbel><folder><title>KDE</title>"
               "<bookmark href='https://kde.org/'><title>KDE</title></bookmark></folder></xbel>");
    tree.Write("home/.config/qutebrowser/quickmarks", "ddg duckduckgo.com\nwiki wiki.example\n");
    tree.Write("home/.local/share/epiphany/bookmarks.gvdb",
               GvdbWriter::Bookmarks({{"https://www.gnome.org/", 1, "GNOME", {"桌面"}}}));
    tree.Write("home/.mozilla/firefox/profiles.ini", "[Profile0]\nPath=p\nDefault=1\n");
    tree.Write("home/.mozilla/firefox/p/bookmarkbackups/bookmarks-2024-01-01.json",
               R"({"root":"placesRoot","children":[{"root":"toolbarFolder","typeCode":2,)"
               R"("children":[{"typeCode":1,"title":"Mozilla","uri":"https://mozilla.org/"}]}]})");
    tree.Write("home/.librewolf/profiles.ini", "[Profile0]\nPath=p\nDefault=1\n");
    tree.Folder("home/.librewolf/p");
    ASSERT_EQ(
        QProcess::execute(
            "sqlite3", {QString::fromStdString(tree.Path("home/.librewolf/p/places.sqlite")),
                        "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url TEXT, title TEXT);"
                        "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER,"
                        " fk INTEGER, parent INTEGER, position INTEGER, title TEXT, guid TEXT);"
                        "INSERT INTO moz_places VALUES (1, 'https://librewolf.net/', NULL);"
                        "INSERT INTO moz_bookmarks VALUES (1, 2, NULL, 0, 0, '', 'root________'),"
                        " (2, 2, NULL, 1, 0, 'menu', 'menu________'),"
                        " (3, 1, 1, 2, 0, 'LibreWolf', 'a');"}),
        0);
    tree.Folder("home/.config/opera");
    QFile::copy(LINKSHELF_TEST_DATA "/import/Bookmarks",
                QString::fromStdString(tree.Path("home/.config/opera/Bookmarks")));
    // The folder keeps the source's own name; its caption is in the user's language.
    struct Case {
        std::string name;
        std::string caption;
        std::string imported;
    };
    const Case cases[] = {
        {"Opera", "Opera（4 个链接）", "Bookmarks bar/工作/example.com.url"},
        {"LibreWolf", "LibreWolf（1 个链接）", "书签菜单/LibreWolf.url"},
        {"Falkon", "Falkon（2 个链接）", "书签菜单/Falkon.url"},
        {"Konqueror", "Konqueror（1 个链接）", "KDE/KDE.url"},
        {"GNOME Web", "GNOME Web（1 个链接）", "桌面/GNOME.url"},
        {"qutebrowser", "qutebrowser（2 个链接）", "快速标记/wiki.url"},
        {"Firefox backup", "Firefox 备份（1 个链接）", "书签工具栏/Mozilla.url"},
    };
    int row = 0;
    for (const Case& test : cases) {
        globals.FavoritesFolder = tree.Path("favorites" + std::to_string(++row) + "/");
        form = std::make_unique<FormMain>(globals, tree.Path("program/linkshelf"));
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        GoToPage(1);
        auto* offered = Find<QPushButton>(*form, ("import" + test.name).c_str());
        EXPECT_EQ(S(offered->text()), test.caption);
        EXPECT_TRUE(offered->isVisible()) << test.name;
        // Tab by Tab, the browsers scroll to the one with the focus.
        TabTo(offered);
        EXPECT_FALSE(offered->visibleRegion().isEmpty()) << test.name;
        Click(offered);
        const std::string imported = globals.FavoritesFolder + test.name;
        EXPECT_EQ(Find<BrowseLineEdit>(*form, "sourceFolderEdit")->Text(), imported);
        EXPECT_TRUE(QFile::exists(QString::fromStdString(imported + "/" + test.imported)))
            << test.name;
    }
}
