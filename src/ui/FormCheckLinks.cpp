// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormCheckLinks.h"

#include "CheckTexts.h"
#include "DesktopServices.h"
#include "Strings.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { KindColumn, StatusColumn, AddressColumn, NameColumn, FolderColumn, TargetColumn };

} // namespace

FormCheckLinks::FormCheckLinks(QWidget* owner, std::vector<LinkToCheck> links,
                               QNetworkAccessManager* network, LinkChecker::Limits limits)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::WindowMaximizeButtonHint),
      links_(std::move(links)), network_(network), limits_(limits),
      cachePath_(CheckCache::DefaultPath()), cache_(CheckCache::Load(cachePath_)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("checkLinksWindow");
    setWindowTitle(Q(Strings::CheckLinksTitle));
    if (owner != nullptr)
        setFont(owner->font());
    resize(760, 420);

    status_ = new QLabel(this);
    status_->setObjectName("status");
    status_->setWordWrap(true);
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName("progressBar");
    findingsTable_ = new QTableWidget(this);
    findingsTable_->setObjectName("findingsTable");
    findingsTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    findingsTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    findingsTable_->verticalHeader()->hide();
    findingsTable_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    findingsTable_->horizontalHeader()->setStretchLastSection(true);
    findingsTable_->hide();
    hint_ = new QLabel(Q(Strings::CheckLinksHint), this);
    hint_->setObjectName("hint");
    hint_->hide();

    buttonBox_ = new QDialogButtonBox(this);
    recheckDeadButton_ =
        buttonBox_->addButton(Q(Strings::RecheckBadCaption), QDialogButtonBox::ActionRole);
    recheckDeadButton_->setObjectName("recheckDeadButton");
    copyButton_ =
        buttonBox_->addButton(Q(Strings::CopyReportCaption), QDialogButtonBox::ActionRole);
    copyButton_->setObjectName("copyButton");
    cancelButton_ = buttonBox_->addButton(Q(Strings::CancelCaption), QDialogButtonBox::RejectRole);
    cancelButton_->setObjectName("cancelButton");
    closeButton_ = buttonBox_->addButton(Q(Strings::CloseCaption), QDialogButtonBox::RejectRole);
    closeButton_->setObjectName("closeButton");
    // Hidden once all are in: the box shows its buttons again whenever one is added.
    recheckDeadButton_->hide();
    copyButton_->hide();
    closeButton_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addWidget(progressBar_);
    layout->addWidget(findingsTable_, 1);
    layout->addWidget(hint_);
    layout->addStretch();
    layout->addWidget(buttonBox_);

    connect(cancelButton_, &QPushButton::clicked, this, &FormCheckLinks::onCancelClicked);
    connect(copyButton_, &QPushButton::clicked, this, &FormCheckLinks::onCopyClicked);
    connect(recheckDeadButton_, &QPushButton::clicked, this, &FormCheckLinks::onRecheckDeadClicked);
    connect(closeButton_, &QPushButton::clicked, this, &FormCheckLinks::close);
    connect(findingsTable_, &QTableWidget::cellDoubleClicked, this,
            &FormCheckLinks::onFindingDoubleClicked);
    // The window checks every link when it opens; earlier verdicts are only taken on request.
    StartCheck(nullptr);
}

void FormCheckLinks::StartCheck(std::function<bool(const CheckCache::Verdict&)> take) {
    if (checker_ != nullptr)
        checker_->deleteLater();
    checker_ = new LinkChecker(links_, limits_, network_, this);
    checker_->RememberIn(&cache_, std::move(take));
    connect(checker_, &LinkChecker::Progress, this, &FormCheckLinks::CheckerProgress);
    connect(checker_, &LinkChecker::Waiting, this, &FormCheckLinks::CheckerWaiting);
    connect(checker_, &LinkChecker::Finished, this, &FormCheckLinks::CheckerFinished);
    findingsTable_->hide();
    hint_->hide();
    recheckDeadButton_->hide();
    copyButton_->hide();
    closeButton_->hide();
    progressBar_->show();
    cancelButton_->show();
    checker_->Start();
}

// Every link found dead or blocked (or not reached) is asked again; the others keep their verdict.
void FormCheckLinks::onRecheckDeadClicked() {
    findingsTable_->setSortingEnabled(false);
    StartCheck([](const CheckCache::Verdict& earlier) {
        return earlier.kind != CheckFinding::Kind::Dead &&
               earlier.kind != CheckFinding::Kind::Blocked;
    });
}

void FormCheckLinks::CheckerProgress(qsizetype done, qsizetype total) {
    progressBar_->setRange(0, static_cast<int>(total));
    progressBar_->setValue(static_cast<int>(done));
    status_->setText(Q(CheckTexts::CheckingLinks(done, total)));
}

void FormCheckLinks::CheckerWaiting(const QString& host) {
    status_->setText(Q(CheckTexts::WaitingForHost(progressBar_->value(), progressBar_->maximum(),
                                                  host.toStdString())));
}

// Cancel stops the check and shows what it found so far; the window stays open.
void FormCheckLinks::onCancelClicked() {
    checker_->Stop();
}

void FormCheckLinks::CheckerFinished() {
    progressBar_->hide();
    cancelButton_->hide();
    status_->setText(Q(CheckTexts::Summary(checker_->Report())));
    // The verdicts are a convenience for later checks: a cache that cannot be written loses
    // nothing of this one.
    static_cast<void>(cache_.Save(cachePath_));
    FillTable();
    findingsTable_->show();
    hint_->show();
    const CheckReport& report = checker_->Report();
    recheckDeadButton_->setVisible(
        report.Count(CheckFinding::Kind::Dead) + report.Count(CheckFinding::Kind::Blocked) > 0);
    copyButton_->show();
    closeButton_->show();
    closeButton_->setDefault(true);
    closeButton_->setFocus();
}

void FormCheckLinks::FillTable() {
    const std::vector<CheckFinding>& findings = checker_->Report().findings;
    QStringList columns;
    for (const std::string& column : CheckTexts::FindingColumns())
        columns << Q(column);
    findingsTable_->setColumnCount(static_cast<int>(columns.size()));
    findingsTable_->setHorizontalHeaderLabels(columns);
    findingsTable_->setRowCount(static_cast<int>(findings.size()));
    for (int row = 0; row < static_cast<int>(findings.size()); ++row) {
        const CheckFinding& finding = findings[static_cast<std::size_t>(row)];
        const std::string cells[]{CheckTexts::FindingKind(finding.kind),
                                  CheckTexts::FindingStatus(finding),
                                  finding.address,
                                  finding.name,
                                  finding.folder,
                                  finding.target};
        for (int column = KindColumn; column <= TargetColumn; ++column)
            findingsTable_->setItem(row, column, new QTableWidgetItem(Q(cells[column])));
        // The address as the shortcut holds it, byte for byte, for opening it.
        findingsTable_->item(row, AddressColumn)
            ->setData(Qt::UserRole, QByteArray::fromStdString(finding.address));
    }
    findingsTable_->resizeColumnsToContents();
    for (const int wide : {AddressColumn, TargetColumn})
        findingsTable_->setColumnWidth(wide, std::min(findingsTable_->columnWidth(wide), 280));
    findingsTable_->setSortingEnabled(true);
    findingsTable_->horizontalHeader()->setSortIndicatorShown(true);
}

void FormCheckLinks::onFindingDoubleClicked(int row) {
    const QTableWidgetItem* address = findingsTable_->item(row, AddressColumn);
    if (address != nullptr)
        DesktopServices::Current().Open(address->data(Qt::UserRole).toByteArray().toStdString());
}

QString FormCheckLinks::ReportText() const {
    QStringList lines;
    QStringList header;
    for (int column = 0; column < findingsTable_->columnCount(); ++column)
        header << findingsTable_->horizontalHeaderItem(column)->text();
    lines << header.join('\t');
    for (int row = 0; row < findingsTable_->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < findingsTable_->columnCount(); ++column)
            cells << findingsTable_->item(row, column)->text();
        lines << cells.join('\t');
    }
    lines << status_->text();
    return lines.join('\n') + '\n';
}

void FormCheckLinks::onCopyClicked() {
    QApplication::clipboard()->setText(ReportText());
}
