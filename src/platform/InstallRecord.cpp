#include "InstallRecord.h"

#include <QSettings>

bool InstallRecord::Write(const std::string& location) {
    QSettings record(QSettings::IniFormat, QSettings::SystemScope, "Linkshelf Project",
                     "Linkshelf");
    if (!record.isWritable())
        return false;
    record.beginGroup("2.0");
    record.setValue("VersionMajor", 2);
    record.setValue("VersionMinor", 0);
    record.setValue("VersionBuild", 1);
    record.setValue("Location", QString::fromStdString(location));
    record.endGroup();
    record.sync();
    return record.status() == QSettings::NoError;
}
