// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LinkChecker.h"
#include "LinkToCheck.h"

#include <QDialog>
#include <functional>
#include <vector>

class QDialogButtonBox;
class QLabel;
class QNetworkAccessManager;
class QProgressBar;
class QPushButton;
class QTableWidget;

// The link check in a window of its own: a progress bar and Cancel while the links are checked,
// then the findings in a table the user can sort, open from and copy, and a button that checks
// again only the links found dead or blocked. The verdicts are kept in the user's cache, as the
// command line keeps them. Closing the window drops the check; it frees itself once closed.
class FormCheckLinks : public QDialog {
    Q_OBJECT

public:
    FormCheckLinks(QWidget* owner, std::vector<LinkToCheck> links,
                   QNetworkAccessManager* network = nullptr, LinkChecker::Limits limits = {});

    // The findings as shown, one tab-separated line each, headed by the columns' names and
    // followed by the summary.
    QString ReportText() const;

private slots:
    void onCancelClicked();
    void onCopyClicked();
    void onRecheckDeadClicked();
    void onFindingDoubleClicked(int row);

private:
    void StartCheck(std::function<bool(const CheckCache::Verdict&)> take);
    void CheckerProgress(qsizetype done, qsizetype total);
    void CheckerWaiting(const QString& host);
    void CheckerFinished();
    void FillTable();

    const std::vector<LinkToCheck> links_;
    QNetworkAccessManager* network_;
    const LinkChecker::Limits limits_;
    const QString cachePath_;
    CheckCache cache_;
    LinkChecker* checker_ = nullptr;
    QLabel* status_;
    QProgressBar* progressBar_;
    QTableWidget* findingsTable_;
    QLabel* hint_;
    QDialogButtonBox* buttonBox_;
    QPushButton* cancelButton_;
    QPushButton* copyButton_;
    QPushButton* recheckDeadButton_;
    QPushButton* closeButton_;
};
