// SPDX-License-Identifier: GPL-3.0-or-later
#include "Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

void InstallTranslation(const QString& name, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(name, folder) || !QCoreApplication::installTranslator(translator))
        delete translator;
}

} // namespace

Language::Choice Language::For(const QStringList& uiLanguages) {
    if (uiLanguages.isEmpty())
        return Choice::English;
    const QString& first = uiLanguages.front();
    const bool chinese = first.compare(u"zh", Qt::CaseInsensitive) == 0 ||
                         first.startsWith(u"zh-", Qt::CaseInsensitive) ||
                         first.startsWith(u"zh_", Qt::CaseInsensitive);
    return chinese ? Choice::Chinese : Choice::English;
}

Language::Choice Language::OfUser() {
    return For(QLocale::system().uiLanguages());
}

void Language::Install(Choice choice) {
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (choice == Choice::Chinese) {
        InstallTranslation("qtbase_zh_CN", qtFolder);
        return;
    }
    InstallTranslation("linkshelf_en", ":/i18n");
    InstallTranslation("qtbase_en", qtFolder);
}
