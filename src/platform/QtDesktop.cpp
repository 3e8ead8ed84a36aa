#include "QtDesktop.h"

#include <QApplication>
#include <QMessageBox>

void QtDesktop::Beep() { QApplication::beep(); }

void QtDesktop::ShowMessage(Icon icon, const std::string& caption, const std::string& text) {
    QMessageBox box(icon == Icon::Error ? QMessageBox::Critical : QMessageBox::Information,
                    QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}
