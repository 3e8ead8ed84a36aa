// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDialog.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

FileDialog::FileDialog(QWidget* owner) : QFileDialog(owner) {}

void FileDialog::accept() {
    if (SaveFolderMissing()) {
        const QString path = QDir::toNativeSeparators(selectedFiles().constFirst());
        QMessageBox::warning(
            this, windowTitle(),
            path + QCoreApplication::translate("FileDialog",
                                               "\n路径不存在。\n请检查路径，然后再试一次。"));
        return;
    }
    QFileDialog::accept();
}

bool FileDialog::SaveFolderMissing() const {
    if (acceptMode() != AcceptSave || selectedFiles().isEmpty())
        return false;
    const QFileInfo chosen(selectedFiles().constFirst());
    return !chosen.isDir() && !chosen.dir().exists();
}
