// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocaleFormat.h"

#include <QDateTime>
#include <QLocale>

std::string LocaleFormat::ShortDate() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

std::string LocaleFormat::ShortTime() {
    return QLocale::system().toString(QTime::currentTime(), QLocale::ShortFormat).toStdString();
}
