#pragma once

#include "CheckedLink.h"
#include "LinkChecker.h"

#include <QDialog>
#include <vector>

class QDialogButtonBox;
class QLabel;
class QNetworkAccessManager;
class QProgressBar;
class QPushButton;
class QTableWidget;

// The link check in a window of its own: a progress bar and Cancel while the links are checked,
// then the findings in a table the user can sort, open from and copy. Closing the window drops
// the check; it frees itself once closed.
class FormCheckLinks : public QDialog {
public:
    FormCheckLinks(QWidget* owner, std::vector<CheckedLink> links,
                   QNetworkAccessManager* network = nullptr, LinkChecker::Limits limits = {});

    // The findings as shown, one tab-separated line each, headed by the columns' names and
    // followed by the summary.
    QString ReportText() const;

private:
    void CheckerProgress(qsizetype done, qsizetype total);
    void CheckerWaiting(const QString& host);
    void CheckerFinished();
    void butCancelClick();
    void butCopyClick();
    void tblFindingsDoubleClick(int row);
    void FillTable();

    LinkChecker* checker_;
    QLabel* lblStatus_;
    QProgressBar* barProgress_;
    QTableWidget* tblFindings_;
    QLabel* lblHint_;
    QDialogButtonBox* bxButtons_;
    QPushButton* butCancel_;
    QPushButton* butCopy_;
    QPushButton* butClose_;
};
