// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemctlRunner.h"

#include <QCoreApplication>
#include <QProcess>

namespace {

// A manager that does not answer within this time is as good as none; the window must not
// wait for it forever.
constexpr int AnswerTimeMs = 30'000;

} // namespace

SystemctlRunner::Answer SystemctlRunner::Run(const std::vector<std::string>& arguments) {
    QStringList words{"--user"};
    for (const std::string& argument : arguments)
        words << QString::fromStdString(argument);
    QProcess systemctl;
    systemctl.start("systemctl", words);
    Answer answer;
    if (!systemctl.waitForStarted(AnswerTimeMs)) {
        answer.errors = systemctl.errorString().toStdString();
        return answer;
    }
    systemctl.closeWriteChannel();
    if (!systemctl.waitForFinished(AnswerTimeMs)) {
        systemctl.kill();
        systemctl.waitForFinished();
        answer.errors =
            QCoreApplication::translate("SystemctlRunner", "systemctl 没有回应。").toStdString();
        return answer;
    }
    answer.ran = systemctl.exitStatus() == QProcess::NormalExit;
    answer.status = systemctl.exitCode();
    answer.output = systemctl.readAllStandardOutput().toStdString();
    answer.errors = systemctl.readAllStandardError().toStdString();
    return answer;
}
