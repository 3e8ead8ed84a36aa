// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/ChangePlan.h"
#include "check/IconFetcher.h"
#include "check/LinkChecker.h"
#include "check/LinkToCheck.h"

#include <QDialog>
#include <functional>
#include <set>
#include <string>
#include <vector>

struct ChangeOutcome;
class QDialogButtonBox;
class QLabel;
class QNetworkAccessManager;
class QProgressBar;
class QPushButton;
class QTableWidget;

// The link check in a window of its own: a progress bar and Cancel while the links are checked,
// then the findings in a table the user can sort, open from and copy, and a button that checks
// again only the links found dead or blocked. Selected rows can be acted on: moved links updated
// to their new address, dead links and extra copies of a duplicate moved to the Trash, after one
// question, and batches undone one at a time, the latest first; where links have no site icon, a
// button fetches theirs from their own sites. The verdicts are kept in the user's cache, as the
// command line keeps them. Closing the window drops the check; it frees itself once closed.
class FormCheckLinks : public QDialog {
    Q_OBJECT

public:
    FormCheckLinks(QWidget* owner, std::vector<LinkToCheck> links,
                   QNetworkAccessManager* network = nullptr, LinkChecker::Limits limits = {});

    // The findings as shown, one tab-separated line each, headed by the columns' names and
    // followed by the summary.
    QString ReportText() const;
    // Offers, once the check is done, to fetch the icons of these links (which have none) from
    // their own sites into the tree under sourceFolder; only a click fetches anything.
    void OfferIconFetch(std::string sourceFolder, std::vector<IconFetcher::Link> links);

signals:
    // A batch, its undo or fetched site icons changed shortcuts under the page, which then lists
    // them as they were.
    void treeChanged();

private slots:
    void onCancelClicked();
    void onCopyClicked();
    void onRecheckDeadClicked();
    void onFetchIconsClicked();
    void onFindingDoubleClicked(int row);
    void onSelectDeadClicked();
    void onSelectMovedClicked();
    void onSelectDuplicatesClicked();
    void onUpdateAddressClicked();
    void onMoveToTrashClicked();
    void onUndoClicked();

private:
    void StartCheck(std::function<bool(const CheckCache::Verdict&)> take);
    void CheckerProgress(qsizetype done, qsizetype total);
    void CheckerWaiting(const QString& host);
    void CheckerFinished();
    void FetcherProgress(qsizetype done, qsizetype total);
    void FetcherFinished();
    void FillTable();
    QWidget* CreateChangeButtons();
    void MarkChangedRows();
    void SelectFindings(const std::vector<std::size_t>& findings);
    std::vector<std::size_t> SelectedFindings(bool update) const;
    void CarryOut(const std::vector<PlannedChange>& plan);
    void ShowOutcomes(const std::string& summary, const std::vector<ChangeOutcome>& outcomes,
                      BatchStep step);
    void TakeStampsAgain(const std::vector<ChangeOutcome>& outcomes, BatchStep step);
    bool CanFetchIcons() const;
    void EnableUndo();
    void EnableChangeButtons();

    std::vector<LinkToCheck> links_;
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
    QPushButton* fetchIconsButton_;
    std::string iconSource_;
    std::vector<IconFetcher::Link> iconless_;
    IconFetcher* fetcher_ = nullptr;
    QPushButton* closeButton_;
    QWidget* changeButtons_ = nullptr;
    QPushButton* selectDeadButton_ = nullptr;
    QPushButton* selectMovedButton_ = nullptr;
    QPushButton* selectDuplicatesButton_ = nullptr;
    QPushButton* updateAddressButton_ = nullptr;
    QPushButton* moveToTrashButton_ = nullptr;
    QPushButton* undoButton_ = nullptr;
    QLabel* changeResult_ = nullptr;
    // The shortcuts a batch of this window changed and that are not changed back.
    std::set<std::string> changedFiles_;
    // The shortcuts this window last rewrote or put back from a state it knew: what they hold is
    // still what the check saw, but for that change.
    std::set<std::string> ownFiles_;
};
