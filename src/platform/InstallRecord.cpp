// SPDX-License-Identifier: GPL-3.0-or-later
#include "InstallRecord.h"

#include "platform/Version.h"

#include <QSettings>
#include <cerrno>

Result InstallRecord::Write(const std::string& location) {
    QSettings record(QSettings::IniFormat, QSettings::SystemScope, "Linkshelf Project",
                     "Linkshelf");
    if (!record.isWritable())
        return Failure::FromErrno("", record.fileName().toStdString(), EACCES);
    record.beginGroup(QString("%1.%2").arg(Version::Major).arg(Version::Minor));
    record.setValue("VersionMajor", Version::Major);
    record.setValue("VersionMinor", Version::Minor);
    record.setValue("VersionBuild", Version::Patch);
    record.setValue("Location", QString::fromStdString(location));
    record.endGroup();
    record.sync();
    if (record.status() != QSettings::NoError)
        return Failure::FromErrno("", record.fileName().toStdString(),
                                  record.status() == QSettings::AccessError ? EACCES : EINVAL);
    return {};
}
