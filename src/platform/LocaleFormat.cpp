// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocaleFormat.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

std::string LocaleFormat::ShortDate() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

std::string LocaleFormat::ShortTime() {
    return QLocale::system().toString(QTime::currentTime(), QLocale::ShortFormat).toStdString();
}

std::string LocaleFormat::IsoDateTime() {
    const QDateTime now = QDateTime::currentDateTime();
    return now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODate).toStdString();
}

std::string LocaleFormat::LanguageTag() {
    return QCoreApplication::translate("LocaleFormat", "zh-CN",
                                       "the language tag of pages written in this language")
        .toStdString();
}
