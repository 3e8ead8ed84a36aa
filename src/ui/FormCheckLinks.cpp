// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormCheckLinks.h"

#include "check/ChangeBatch.h"
#include "check/ChangeTexts.h"
#include "check/CheckTexts.h"
#include "platform/DesktopServices.h"
#include "ui/Strings.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelection>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

namespace {

enum Column { KindColumn, StatusColumn, AddressColumn, NameColumn, FolderColumn, TargetColumn };

// The finding a row shows, by its index in the report, kept in its first cell.
constexpr int FindingRole = Qt::UserRole + 1;
// Skipped changes named under the result line; the rest are counted in it.
constexpr std::size_t SkipsShown = 3;

QPushButton* NamedButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

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
    setWindowTitle(Translated(Strings::CheckLinksTitle));
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
    findingsTable_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    findingsTable_->verticalHeader()->hide();
    findingsTable_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    findingsTable_->horizontalHeader()->setStretchLastSection(true);
    findingsTable_->setAccessibleName(windowTitle());
    // Tab leaves the table for the buttons instead of walking its cells; Enter opens the row, as
    // a double click does, instead of closing the window.
    findingsTable_->setTabKeyNavigation(false);
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* open = new QShortcut(key, findingsTable_, nullptr, nullptr, Qt::WidgetShortcut);
        connect(open, &QShortcut::activated, this, [this] {
            if (findingsTable_->currentRow() >= 0)
                onFindingDoubleClicked(findingsTable_->currentRow());
        });
    }
    findingsTable_->hide();
    hint_ = new QLabel(Translated(Strings::CheckLinksHint), this);
    hint_->setObjectName("hint");
    hint_->hide();

    buttonBox_ = new QDialogButtonBox(this);
    recheckDeadButton_ =
        buttonBox_->addButton(Translated(Strings::RecheckBadCaption), QDialogButtonBox::ActionRole);
    recheckDeadButton_->setObjectName("recheckDeadButton");
    fetchIconsButton_ =
        buttonBox_->addButton(Translated(Strings::FetchIconsCaption), QDialogButtonBox::ActionRole);
    fetchIconsButton_->setObjectName("fetchIconsButton");
    copyButton_ =
        buttonBox_->addButton(Translated(Strings::CopyReportCaption), QDialogButtonBox::ActionRole);
    copyButton_->setObjectName("copyButton");
    cancelButton_ =
        buttonBox_->addButton(Translated(Strings::CancelCaption), QDialogButtonBox::RejectRole);
    cancelButton_->setObjectName("cancelButton");
    closeButton_ =
        buttonBox_->addButton(Translated(Strings::CloseCaption), QDialogButtonBox::RejectRole);
    closeButton_->setObjectName("closeButton");
    // Hidden once all are in: the box shows its buttons again whenever one is added.
    recheckDeadButton_->hide();
    fetchIconsButton_->hide();
    copyButton_->hide();
    closeButton_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addWidget(progressBar_);
    layout->addWidget(findingsTable_, 1);
    layout->addWidget(hint_);
    layout->addWidget(CreateChangeButtons());
    layout->addWidget(changeResult_);
    layout->addStretch();
    layout->addWidget(buttonBox_);

    connect(cancelButton_, &QPushButton::clicked, this, &FormCheckLinks::onCancelClicked);
    connect(copyButton_, &QPushButton::clicked, this, &FormCheckLinks::onCopyClicked);
    connect(recheckDeadButton_, &QPushButton::clicked, this, &FormCheckLinks::onRecheckDeadClicked);
    connect(fetchIconsButton_, &QPushButton::clicked, this, &FormCheckLinks::onFetchIconsClicked);
    connect(closeButton_, &QPushButton::clicked, this, &FormCheckLinks::close);
    connect(findingsTable_, &QTableWidget::cellDoubleClicked, this,
            &FormCheckLinks::onFindingDoubleClicked);
    connect(selectDeadButton_, &QPushButton::clicked, this, &FormCheckLinks::onSelectDeadClicked);
    connect(selectMovedButton_, &QPushButton::clicked, this, &FormCheckLinks::onSelectMovedClicked);
    connect(selectDuplicatesButton_, &QPushButton::clicked, this,
            &FormCheckLinks::onSelectDuplicatesClicked);
    connect(updateAddressButton_, &QPushButton::clicked, this,
            &FormCheckLinks::onUpdateAddressClicked);
    connect(moveToTrashButton_, &QPushButton::clicked, this, &FormCheckLinks::onMoveToTrashClicked);
    connect(undoButton_, &QPushButton::clicked, this, &FormCheckLinks::onUndoClicked);
    // The window checks every link when it opens; earlier verdicts are only taken on request.
    StartCheck(nullptr);
}

// The buttons that act on the findings, in a row under the table; shown with it.
QWidget* FormCheckLinks::CreateChangeButtons() {
    changeButtons_ = new QWidget(this);
    changeButtons_->setObjectName("changeButtons");
    selectDeadButton_ =
        NamedButton(Translated(Strings::SelectDeadCaption), "selectDeadButton", this);
    selectMovedButton_ =
        NamedButton(Translated(Strings::SelectMovedCaption), "selectMovedButton", this);
    selectDuplicatesButton_ =
        NamedButton(Translated(Strings::SelectDuplicatesCaption), "selectDuplicatesButton", this);
    updateAddressButton_ =
        NamedButton(Translated(Strings::UpdateAddressCaption), "updateAddressButton", this);
    moveToTrashButton_ =
        NamedButton(Translated(Strings::MoveToTrashCaption), "moveToTrashButton", this);
    undoButton_ = NamedButton(Translated(Strings::UndoCaption), "undoButton", this);
    EnableUndo();
    auto* row = new QHBoxLayout(changeButtons_);
    row->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : {selectDeadButton_, selectMovedButton_, selectDuplicatesButton_})
        row->addWidget(button);
    row->addStretch();
    for (QPushButton* button : {updateAddressButton_, moveToTrashButton_, undoButton_})
        row->addWidget(button);
    changeButtons_->hide();
    changeResult_ = new QLabel(this);
    changeResult_->setObjectName("changeResult");
    changeResult_->setWordWrap(true);
    changeResult_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    changeResult_->hide();
    return changeButtons_;
}

void FormCheckLinks::StartCheck(std::function<bool(const CheckCache::Verdict&)> take) {
    if (checker_ != nullptr)
        checker_->deleteLater();
    checker_ = new LinkChecker(links_, limits_, network_, this);
    checker_->RememberIn(&cache_, std::move(take));
    connect(checker_, &LinkChecker::progressed, this, &FormCheckLinks::CheckerProgress);
    connect(checker_, &LinkChecker::stalled, this, &FormCheckLinks::CheckerWaiting);
    connect(checker_, &LinkChecker::finished, this, &FormCheckLinks::CheckerFinished);
    findingsTable_->hide();
    hint_->hide();
    changeButtons_->hide();
    changeResult_->hide();
    recheckDeadButton_->hide();
    fetchIconsButton_->hide();
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

// Cancel stops the check (or the fetch) and shows what it found so far; the window stays open.
void FormCheckLinks::onCancelClicked() {
    if (fetcher_ != nullptr)
        fetcher_->Stop();
    else
        checker_->Stop();
}

void FormCheckLinks::OfferIconFetch(std::string sourceFolder,
                                    std::vector<IconFetcher::Link> links) {
    iconSource_ = std::move(sourceFolder);
    iconless_ = std::move(links);
    fetchIconsButton_->setVisible(checker_->IsFinished() && CanFetchIcons());
}

// The only way the window reaches the network for icons: the user's click.
void FormCheckLinks::onFetchIconsClicked() {
    fetchIconsButton_->hide();
    fetcher_ = new IconFetcher(iconSource_, iconless_, limits_, network_, this);
    connect(fetcher_, &IconFetcher::progressed, this, &FormCheckLinks::FetcherProgress);
    connect(fetcher_, &IconFetcher::finished, this, &FormCheckLinks::FetcherFinished);
    status_->setText(Translated(Strings::FetchingIcons));
    progressBar_->show();
    cancelButton_->show();
    fetcher_->Start();
}

void FormCheckLinks::FetcherProgress(qsizetype done, qsizetype total) {
    progressBar_->setRange(0, static_cast<int>(total));
    progressBar_->setValue(static_cast<int>(done));
}

void FormCheckLinks::FetcherFinished() {
    progressBar_->hide();
    cancelButton_->hide();
    status_->setText(IconFetcher::Summary(fetcher_->Report()));
    TakeStampsAgain(fetcher_->Outcomes(), BatchStep::CarriedOut);
    // The fetch's batch is the journal's last: Undo takes the icons back out.
    EnableUndo();
    if (fetcher_->Report().fetched > 0)
        emit treeChanged();
    iconless_.clear();
    fetcher_->deleteLater();
    fetcher_ = nullptr;
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
    changeButtons_->show();
    const CheckReport& report = checker_->Report();
    EnableChangeButtons();
    recheckDeadButton_->setVisible(report.Count(CheckFinding::Kind::Dead) +
                                       report.Count(CheckFinding::Kind::Blocked) +
                                       report.unreachable >
                                   0);
    fetchIconsButton_->setVisible(CanFetchIcons());
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
        for (int column = KindColumn; column <= TargetColumn; ++column) {
            auto* cell = new QTableWidgetItem(Q(cells[column]));
            if (cells[column].empty())
                cell->setData(Qt::AccessibleTextRole, Translated(Strings::EmptyCell));
            findingsTable_->setItem(row, column, cell);
        }
        // The address as the shortcut holds it, byte for byte, for opening it.
        findingsTable_->item(row, AddressColumn)
            ->setData(Qt::UserRole, QByteArray::fromStdString(finding.address));
        findingsTable_->item(row, KindColumn)->setData(FindingRole, row);
    }
    MarkChangedRows();
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

void FormCheckLinks::SelectFindings(const std::vector<std::size_t>& findings) {
    const std::set<std::size_t> chosen(findings.begin(), findings.end());
    QItemSelection selection;
    for (int row = 0; row < findingsTable_->rowCount(); ++row) {
        const QTableWidgetItem* kind = findingsTable_->item(row, KindColumn);
        if ((kind->flags() & Qt::ItemIsSelectable) &&
            chosen.contains(kind->data(FindingRole).toULongLong()))
            selection.select(findingsTable_->model()->index(row, KindColumn),
                             findingsTable_->model()->index(row, TargetColumn));
    }
    findingsTable_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    findingsTable_->setFocus();
}

void FormCheckLinks::onSelectDeadClicked() {
    SelectFindings(ChooseFindings(checker_->Report(), {.trashDead = true}));
}

void FormCheckLinks::onSelectMovedClicked() {
    SelectFindings(ChooseFindings(checker_->Report(), {.updateMoved = true}));
}

void FormCheckLinks::onSelectDuplicatesClicked() {
    SelectFindings(ChooseFindings(checker_->Report(), {.trashDuplicates = true}));
}

// The selected findings a button acts on: moved links to update, or dead links and duplicates
// for the Trash.
std::vector<std::size_t> FormCheckLinks::SelectedFindings(bool update) const {
    const std::vector<CheckFinding>& findings = checker_->Report().findings;
    std::vector<std::size_t> chosen;
    for (const QModelIndex& index : findingsTable_->selectionModel()->selectedRows(KindColumn)) {
        const auto finding = index.data(FindingRole).toULongLong();
        const CheckFinding::Kind kind = findings[finding].kind;
        if (update ? kind == CheckFinding::Kind::Moved
                   : kind == CheckFinding::Kind::Dead || kind == CheckFinding::Kind::Duplicate)
            chosen.push_back(finding);
    }
    std::ranges::sort(chosen);
    return chosen;
}

void FormCheckLinks::onUpdateAddressClicked() {
    CarryOut(PlanChanges(checker_->Report(), links_, SelectedFindings(true)));
}

void FormCheckLinks::onMoveToTrashClicked() {
    CarryOut(PlanChanges(checker_->Report(), links_, SelectedFindings(false)));
}

void FormCheckLinks::CarryOut(const std::vector<PlannedChange>& plan) {
    if (plan.empty()) {
        changeResult_->setText(Translated(Strings::NothingToChange));
        changeResult_->show();
        return;
    }
    if (!DesktopServices::Current().Ask(ChangeTexts::QuestionCaption(),
                                        ChangeTexts::Question(plan)))
        return;
    std::vector<ChangeOutcome> outcomes;
    if (Result done = ChangeBatch::CarryOut(plan, ChangeJournal(), outcomes); !done) {
        DesktopServices::Current().ShowMessage(DesktopServices::Icon::Error,
                                               Translated(Strings::CheckLinksTitle).toStdString(),
                                               done.failure().Text());
        return;
    }
    ShowOutcomes(ChangeTexts::Summary(outcomes, BatchStep::CarriedOut), outcomes,
                 BatchStep::CarriedOut);
    EnableUndo();
}

void FormCheckLinks::onUndoClicked() {
    std::vector<ChangeOutcome> outcomes;
    if (Result undone = ChangeBatch::UndoLast(ChangeJournal(), outcomes); !undone) {
        DesktopServices::Current().ShowMessage(DesktopServices::Icon::Error,
                                               Translated(Strings::CheckLinksTitle).toStdString(),
                                               undone.failure().Text());
        return;
    }
    ShowOutcomes(ChangeTexts::Summary(outcomes, BatchStep::Undone), outcomes, BatchStep::Undone);
    EnableUndo();
}

// Icons are offered for links without one, but not while the network reaches no site.
bool FormCheckLinks::CanFetchIcons() const {
    return !iconless_.empty() && checker_->Report().unreachable == 0;
}

// Undo takes back one batch at a time, the latest not yet undone, as linkshelf --undo does: a
// second press takes back the batch before it.
void FormCheckLinks::EnableUndo() {
    undoButton_->setEnabled(ChangeJournal().LastBatch().has_value());
}

// A button is offered only where the check found something it acts on: a check that reached no
// site offers nothing to move to the Trash.
void FormCheckLinks::EnableChangeButtons() {
    const CheckReport& report = checker_->Report();
    const auto finds = [&report](ChangeKinds kinds) {
        return !ChooseFindings(report, kinds).empty();
    };
    selectDeadButton_->setEnabled(finds({.trashDead = true}));
    selectMovedButton_->setEnabled(finds({.updateMoved = true}));
    selectDuplicatesButton_->setEnabled(finds({.trashDuplicates = true}));
    updateAddressButton_->setEnabled(selectMovedButton_->isEnabled());
    moveToTrashButton_->setEnabled(selectDeadButton_->isEnabled() ||
                                   selectDuplicatesButton_->isEnabled());
}

// The result line, with the first skipped changes and why; rows of changed shortcuts are greyed
// out so they are not acted on twice, and come back when undone.
void FormCheckLinks::ShowOutcomes(const std::string& summary,
                                  const std::vector<ChangeOutcome>& outcomes, BatchStep step) {
    const bool undo = step == BatchStep::Undone;
    TakeStampsAgain(outcomes, step);
    QStringList lines{Q(summary)};
    std::size_t skips = 0;
    for (const ChangeOutcome& outcome : outcomes) {
        if (outcome.state == ChangeOutcome::State::Skipped && skips++ < SkipsShown)
            lines << Q(ChangeTexts::OutcomeLine(outcome, step)).replace('\t', ' ');
        if (outcome.state != ChangeOutcome::State::Done)
            continue;
        if (undo)
            changedFiles_.erase(outcome.change.file);
        else
            changedFiles_.insert(outcome.change.file);
    }
    changeResult_->setText(lines.join('\n'));
    changeResult_->show();
    MarkChangedRows();
    if (std::ranges::any_of(outcomes, [](const ChangeOutcome& outcome) {
            return outcome.state == ChangeOutcome::State::Done;
        }))
        emit treeChanged();
}

// A shortcut this window changed no longer has the stamp the check took, and a later change to it
// would be refused as made by someone else. Its stamp is taken again where the window knows what
// the file holds: after a change made on the file as the check saw it, and after the undo of one.
void FormCheckLinks::TakeStampsAgain(const std::vector<ChangeOutcome>& outcomes, BatchStep step) {
    const bool undo = step == BatchStep::Undone;
    std::map<std::string, FileStamp> before;
    for (const ChangeOutcome& outcome : outcomes)
        if (outcome.state == ChangeOutcome::State::Done)
            before.emplace(outcome.change.file, outcome.change.stamp);
    if (before.empty())
        return;
    for (LinkToCheck& link : links_) {
        const auto found = before.find(link.file);
        if (found == before.end())
            continue;
        const bool known = undo ? ownFiles_.erase(link.file) > 0 : found->second == link.stamp;
        if (!known)
            continue;
        link.stamp = FileStamp::Of(link.file);
        if (!undo)
            ownFiles_.insert(link.file);
    }
}

void FormCheckLinks::MarkChangedRows() {
    const CheckReport& report = checker_->Report();
    for (int row = 0; row < findingsTable_->rowCount(); ++row) {
        const auto finding = findingsTable_->item(row, KindColumn)->data(FindingRole).toULongLong();
        const std::size_t link = report.findings[finding].place;
        const bool changed = link < links_.size() && changedFiles_.contains(links_[link].file);
        for (int column = KindColumn; column <= TargetColumn; ++column) {
            QTableWidgetItem* item = findingsTable_->item(row, column);
            item->setFlags(changed ? Qt::NoItemFlags : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (changed)
                findingsTable_->selectionModel()->select(
                    findingsTable_->model()->index(row, column), QItemSelectionModel::Deselect);
        }
    }
}
