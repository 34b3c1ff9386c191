#include "admin/frmCompleted.h"

#include "exports/CompletedReport.h"
#include "exports/TeamBookings.h"
#include "frame/ExportFile.h"
#include "frame/Lists.h"
#include "frame/Program.h"
#include "frame/Widgets.h"
#include "platform/qt/QtPlatform.h"
#include "store/CompletedSlips.h"

#include <QAbstractTableModel>
#include <QBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>

#include <limits>

namespace rotaplan {

namespace {

// A leading "^" centres a column; each segment's length, blanks included, is its width.
constexpr const char* GridFormat =
    "^Rec|^Date           |^Reference      |Customer                      |Assignedto"
    "                                             ";
const QString SelectionMark = QString(QChar(0x00AB)); // code 171 of Windows-1252

struct GridColumn {
    QString header;
    Qt::Alignment alignment;
    int characters;
};

const std::vector<GridColumn>& Columns() {
    static const std::vector<GridColumn> columns = [] {
        std::vector<GridColumn> parsed;
        for (const QString& segment : QString(GridFormat).split('|')) {
            const bool centred = segment.startsWith('^');
            parsed.push_back({(centred ? segment.mid(1) : segment).trimmed(),
                              (centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter,
                              static_cast<int>(segment.size())});
        }
        return parsed;
    }();
    return columns;
}

// The average width undercounts names in capitals; a lower-case "n" fits them.
int CharacterWidth(const QWidget* grid) {
    return grid->fontMetrics().horizontalAdvance(QLatin1Char('n'));
}

} // namespace

// Reads the rows the view asks for from the file, so a long file opens as fast as a short one.
// The view keeps a few bytes for every row it is told of, so it is told of the first rows and
// of more, twice as many each time, as the operator scrolls down to the last of them.
class CompletedGrid : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void Show(std::unique_ptr<CompletedRows> rows) {
        beginResetModel();
        rows_ = std::move(rows);
        shown_ = rows_ ? std::min(rows_->Count(), FirstRows) : 0;
        endResetModel();
    }
    void ShowUpTo(std::int32_t rows) {
        rows = std::min(rows, rows_ ? rows_->Count() : 0);
        if (rows <= shown_)
            return;
        beginInsertRows({}, shown_, rows - 1);
        shown_ = rows;
        endInsertRows();
    }
    void ShowAll() { ShowUpTo(std::numeric_limits<std::int32_t>::max()); }
    void Toggle(int row) {
        rows_->Toggle(row + 1);
        emit dataChanged(index(row, 0), index(row, 0));
    }
    const CompletedRows* Rows() const { return rows_.get(); }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : shown_;
    }
    bool canFetchMore(const QModelIndex& parent) const override {
        return !parent.isValid() && rows_ && shown_ < rows_->Count();
    }
    void fetchMore(const QModelIndex& parent) override {
        if (!parent.isValid())
            ShowUpTo(2 * shown_);
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(Columns().size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const int r = index.row() + 1;
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(
                Columns()[static_cast<std::size_t>(index.column())].alignment);
        // A screen reader hears a marked row's number, not the mark.
        if (role == Qt::AccessibleTextRole && index.column() == 0 && rows_->Marked(r))
            return QString::number(r) + ", selected";
        if (role != Qt::DisplayRole)
            return {};
        if (index.column() == 0)
            return rows_->Marked(r) ? SelectionMark : QString::number(r);
        const CompletedRow row = rows_->Row(r);
        switch (index.column()) {
        case 1:
            return ToQt(row.date);
        case 2:
            return ToQt(row.reference);
        case 3:
            return ToQt(row.customer);
        default:
            return ToQt(row.assignedTo);
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal)
            return {};
        const GridColumn& column = Columns()[static_cast<std::size_t>(section)];
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(column.alignment);
        return role == Qt::DisplayRole ? QVariant(TranslatedLines(column.header)) : QVariant();
    }

private:
    static constexpr std::int32_t FirstRows = 4096;
    std::unique_ptr<CompletedRows> rows_;
    std::int32_t shown_ = 0;
};

frmCompleted::frmCompleted(Program& program) : program_(program) {
    setObjectName("frmCompleted");
    setWindowTitle("Completed Service Attentions");

    grid_ = new CompletedGrid(this);
    fgCompletions_ =
        Named(new QTableView(this), "fgCompletions", "Displays all Service Attentions past date");
    fgCompletions_->setModel(grid_);
    const auto& columns = Columns();
    const int characterWidth = CharacterWidth(fgCompletions_);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c)
        fgCompletions_->setColumnWidth(c, columns[static_cast<std::size_t>(c)].characters *
                                              characterWidth);
    fgCompletions_->verticalHeader()->hide();
    fgCompletions_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fgCompletions_->verticalHeader()->setDefaultSectionSize(fgCompletions_->fontMetrics().height() +
                                                            6);
    fgCompletions_->horizontalHeader()->setStretchLastSection(true);
    fgCompletions_->setWordWrap(false);
    fgCompletions_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The mark is the only selection, so no highlight may look like one.
    fgCompletions_->setSelectionMode(QAbstractItemView::NoSelection);
    connect(fgCompletions_, &QTableView::clicked, this,
            [this](const QModelIndex& index) { fgCompletions_Click(index.row()); });
    // Space or Enter marks the current row as a click does; Tab leaves the grid.
    fgCompletions_->setTabKeyNavigation(false);
    fgCompletions_->installEventFilter(this);
    fgCompletions_->setAccessibleName("Completed Service Attentions");

    auto* label1 = Named(new QLabel("  ^ Click the Rec # in This Column to Select a Record        "
                                    "Clicking again,  deselects the Record",
                                    this),
                         "Label1");
    auto* cmdSelected = Named(new QPushButton("Delete &Selected  Records", this), "cmdSelected",
                              "Deletes only Selected Service Attentions");
    auto* deleteAll = Named(new QPushButton("&Delete All Records", this), "cmdCompletions_1",
                            "Deletes all Completed Service Attentions");
    auto* cmdExport = Named(new QPushButton("&Export", this), "cmdExport",
                            "Saves all Completed Service Attentions for a spreadsheet");
    auto* menu = Named(new QPushButton("&Menu", this), "cmdCompletions_0", "Return to Menu");
    connect(cmdSelected, &QPushButton::clicked, this, &frmCompleted::cmdSelected_Click);
    connect(deleteAll, &QPushButton::clicked, this, &frmCompleted::DeleteAll);
    connect(menu, &QPushButton::clicked, this, &frmCompleted::BackToMenu);
    connect(cmdExport, &QPushButton::clicked, this, &frmCompleted::ExportReport);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSelected);
    buttons->addWidget(deleteAll);
    buttons->addWidget(cmdExport);
    buttons->addStretch();
    buttons->addWidget(menu);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fgCompletions_, 1);
    layout->addWidget(label1);
    layout->addLayout(buttons);
    int gridWidth = 0;
    for (const auto& column : columns)
        gridWidth += column.characters * characterWidth;
    resize(gridWidth + 40, 480);
}

void frmCompleted::Activate() {
    std::unique_ptr<CompletedRows> rows;
    program_.Attempt([&] { rows = std::make_unique<CompletedRows>(program_.Variables()); },
                     "The summary shows no records.");
    // A Rec number longer than its column's four characters widens it rather than be cut,
    // taking the room from the last column, which has plenty.
    const int characterWidth = CharacterWidth(fgCompletions_);
    const int rec = Columns().front().characters;
    const int grown =
        std::max<int>(rec, static_cast<int>(QString::number(rows ? rows->Count() : 0).size()) + 1);
    fgCompletions_->setColumnWidth(0, grown * characterWidth);
    fgCompletions_->setColumnWidth(static_cast<int>(Columns().size()) - 1,
                                   (Columns().back().characters - (grown - rec)) * characterWidth);
    grid_->Show(std::move(rows));
}

bool frmCompleted::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        // Ctrl+End goes to the last record of the file, not of the rows told so far.
        if (keyEvent->matches(QKeySequence::MoveToEndOfDocument))
            grid_->ShowAll();
        const int key = keyEvent->key();
        const QModelIndex current = fgCompletions_->currentIndex();
        if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) &&
            current.isValid()) {
            fgCompletions_Click(current.row());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmCompleted::fgCompletions_Click(int row) {
    fgCompletions_->setCurrentIndex(grid_->index(row, 0));
    grid_->Toggle(row);
}

void frmCompleted::cmdSelected_Click() {
    if (program_.System().messages.Show("All Selected Records will be Deleted!",
                                        "Delete These Records",
                                        MessageButtons::YesNoDefaultNo) == MessageAnswer::No)
        return;
    if (program_.Attempt(
            [this] {
                if (grid_->Rows())
                    DeleteSelectedCompletions(program_.Variables(), *grid_->Rows());
            },
            "The records shown again are what the file holds now."))
        BackToMenu();
    else
        Activate();
}

void frmCompleted::DeleteAll() {
    if (program_.System().messages.Show("This Deletes All Completed Service Attentions",
                                        "Delete File", MessageButtons::OkCancelDefaultCancel) ==
        MessageAnswer::Cancel)
        return;
    // The rows go with the file, so no later Delete selected can act on them.
    if (program_.Attempt([this] { DeleteAllCompletions(program_.Variables()); },
                         "The completed records are still there."))
        grid_->Show(nullptr);
}

void frmCompleted::ExportReport() {
    const std::string name =
        "Completed Service Attentions " + IsoDate(program_.System().clock.Now().date) + ".xlsx";
    const auto file = AskExportFile(program_, "Export for a Spreadsheet", name,
                                    "Excel workbooks (*.xlsx);;CSV files (*.csv)");
    if (!file)
        return;
    QProgressDialog progress("Exporting the completed service attentions...", "Cancel", 0, 100,
                             this);
    progress.setWindowModality(Qt::ApplicationModal);
    program_.Attempt(
        [&] {
            ExportCompletedReport(program_.Variables(), program_.System().locale, *file,
                                  ReportFormatOf(*file),
                                  // The file is flushed to disk after its rows: the dialog
                                  // stays up at 99% until it is there.
                                  [&progress](std::int32_t done, std::int32_t total) {
                                      progress.setValue(total > 0 ? int(done * 99LL / total) : 99);
                                      return !progress.wasCanceled();
                                  });
        },
        "No spreadsheet file was written.");
}

void frmCompleted::BackToMenu() {
    program_.Unload(this);
    program_.ShowMenu(this);
}

} // namespace rotaplan
