// SPDX-License-Identifier: GPL-3.0-or-later
#include "InstallRecord.h"

#include "Version.h"

#include <QSettings>

bool InstallRecord::Write(const std::string& location) {
    QSettings record(QSettings::IniFormat, QSettings::SystemScope, "Linkshelf Project",
                     "Linkshelf");
    if (!record.isWritable())
        return false;
    record.beginGroup(QString("%1.%2").arg(Version::Major).arg(Version::Minor));
    record.setValue("VersionMajor", Version::Major);
    record.setValue("VersionMinor", Version::Minor);
    record.setValue("VersionBuild", Version::Patch);
    record.setValue("Location", QString::fromStdString(location));
    record.endGroup();
    record.sync();
    return record.status() == QSettings::NoError;
}
