// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/QtDesktop.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

// The user types a page name into a folder that does not exist and presses Enter: the dialog
// says so and stays open; the name in an existing folder is then taken.
TEST(FileDialog, ASavePathInAMissingFolderIsRefused) {
    QTemporaryDir folder;
    const QString missing = folder.filePath("missing/page.htm");
    const QString existing = folder.filePath("page.htm");
    QStringList typed{missing, existing};
    int refusals = 0;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || typed.isEmpty())
            return;
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        name->setText(typed.takeFirst());
        QTest::keyClick(name, Qt::Key_Return);
    });
    QTimer boxCloser;
    QObject::connect(&boxCloser, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++refusals;
            box->accept();
        }
    });
    user.start(20);
    boxCloser.start(20);

    QtDesktop desktop;
    DesktopServices::FileRequest request;
    request.save = true;
    request.filter = "HTML (*.html *.htm)";
    request.defaultSuffix = "htm";
    const auto chosen = desktop.ChooseFile(nullptr, request);
    EXPECT_EQ(refusals, 1);
    EXPECT_EQ(chosen, existing.toStdString());
}

// A name typed without extension takes the extension of the filter the user chose.
TEST(FileDialog, ANameWithoutExtensionTakesTheChosenFiltersOne) {
    const struct {
        const char* name;
        int filter;
        const char* file;
    } cases[] = {{"first filter", 0, "marks.html"}, {"second filter", 1, "marks.xbel"}};
    for (const auto& row : cases) {
        QTemporaryDir folder;
        QTimer user;
        QObject::connect(&user, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            user.stop();
            auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
            for (int i = 0; i < row.filter; ++i)
                QTest::keyClick(types, Qt::Key_Down);
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            name->setText(folder.filePath("marks"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        user.start(20);

        QtDesktop desktop;
        DesktopServices::FileRequest request;
        request.save = true;
        request.filter = "Bookmarks (*.html *.htm);;XBEL (*.xbel)";
        request.defaultSuffix = "html";
        EXPECT_EQ(desktop.ChooseFile(nullptr, request), folder.filePath(row.file).toStdString())
            << row.name;
    }
}
