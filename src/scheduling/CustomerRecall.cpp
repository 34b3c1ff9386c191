#include "scheduling/CustomerRecall.h"

#include "frame/Lists.h"
#include "frame/Program.h"
#include "frame/Widgets.h"
#include "platform/qt/QtPlatform.h"
#include "records/frmCallRecord.h"
#include "store/CompletedSlips.h"

#include <QAccessible>
#include <QApplication>
#include <QBoxLayout>
#include <QCompleter>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

namespace rotaplan {

namespace {

constexpr std::size_t NameBox = 0;
constexpr std::size_t TelephoneBox = 6;
constexpr std::size_t MostOffered = 8;
constexpr int PopupWidth = 520;
constexpr int RecordRole = Qt::UserRole + 1;
constexpr int ReadingPoll = 100; // ms
const char* const StillReading = "Still reading the call slips…";

} // namespace

void RecallModel::Show(std::vector<RecalledCustomer> customers) {
    beginResetModel();
    customers_ = std::move(customers);
    reading_ = false;
    endResetModel();
}

void RecallModel::ShowReading() {
    beginResetModel();
    customers_.clear();
    reading_ = true;
    endResetModel();
}

int RecallModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : reading_ ? 1 : static_cast<int>(customers_.size());
}

int RecallModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant RecallModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    if (reading_)
        return index.column() == 0 ? TranslatedLines(StillReading) : QString();
    const RecalledCustomer& customer = customers_[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case 0:
        return ToQt(customer.texts[0]);
    case 1:
        return ToQt(customer.texts[1]);
    case 2:
        return ToQt(customer.texts[3]);
    default:
        return ToQt(customer.lastCall);
    }
}

// The row that says the customers are still read is no customer to pick.
Qt::ItemFlags RecallModel::flags(const QModelIndex& index) const {
    return reading_ ? Qt::NoItemFlags : QAbstractTableModel::flags(index);
}

CustomerRecall::CustomerRecall(Program& program, const std::array<QLineEdit*, 7>& boxes,
                               QWidget* parent)
    : QGroupBox("Earlier Calls", parent), program_(program), boxes_(boxes) {
    setObjectName("fraHistory");
    setToolTip("The calls of the customer filled in; a booked call opens in the Call Records");
    model_ = new RecallModel(this);
    auto* popup = Named(new QTreeView, "lstRecall");
    popup->setRootIsDecorated(false);
    popup->setHeaderHidden(true); // the popup is sized for its rows only
    popup->setSelectionBehavior(QAbstractItemView::SelectRows);
    popup->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    completer_ = new QCompleter(model_, this);
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setPopup(popup);
    connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            &CustomerRecall::Pick);
    popup->setAccessibleName("Earlier customers");
    connect(popup->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CustomerRecall::Announce);

    lstHistory_ = Named(new QTreeWidget(this), "lstHistory");
    lstHistory_->setAccessibleName("Earlier calls of this customer");
    lstHistory_->setHeaderLabels({"SA Number", "Date", "Team", "Problem", "Status"});
    lstHistory_->setRootIsDecorated(false);
    lstHistory_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lstHistory_->header()->setStretchLastSection(true);
    lstHistory_->setMinimumWidth(500);
    connect(lstHistory_, &QTreeWidget::itemActivated, this, &CustomerRecall::OpenCall);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstHistory_);

    for (std::size_t k : {NameBox, TelephoneBox}) {
        QLineEdit* box = boxes_[k];
        box->installEventFilter(this);
        connect(box, &QLineEdit::textEdited, this, [this, box] { Offer(box); });
    }
    for (QLineEdit* box : boxes_)
        connect(box, &QLineEdit::textEdited, this, &CustomerRecall::ShowHistory);
    reading_ = new QTimer(this);
    reading_->setInterval(ReadingPoll);
    connect(reading_, &QTimer::timeout, this, &CustomerRecall::Waited);
}

void CustomerRecall::Clear() {
    completer_->popup()->hide();
    lstHistory_->clear();
}

bool CustomerRecall::Offering() const {
    return completer_->popup()->isVisible() && !model_->Reading();
}

// Down in a box whose drop-down is closed opens it again.
bool CustomerRecall::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down && !Offering()) {
        Offer(static_cast<QLineEdit*>(watched));
        return true;
    }
    return QGroupBox::eventFilter(watched, event);
}

CustomerIndex* CustomerRecall::Index() {
    CustomerIndex* index = nullptr;
    if (!unreadable_)
        unreadable_ = !program_.Attempt(
            [&] { index = Customers(program_.Variables(), program_.System().locale); },
            "Earlier customers are not offered.");
    return index;
}

void CustomerRecall::Offer(QLineEdit* box) {
    CustomerIndex* index = Index();
    if (!index) {
        if (unreadable_ || box->text().trimmed().isEmpty())
            return completer_->popup()->hide();
        model_->ShowReading();
        waiting_ = box;
        reading_->start();
        return Open(box);
    }
    const std::string typed = FromQt(box->text());
    model_->Show(box == boxes_[TelephoneBox] ? index->ByTelephone(typed, MostOffered)
                                             : index->ByName(typed, MostOffered));
    if (model_->rowCount({}) == 0)
        return completer_->popup()->hide();
    Open(box);
}

void CustomerRecall::Open(QLineEdit* box) {
    completer_->setWidget(box);
    completer_->complete(QRect(0, 0, std::max(PopupWidth, box->width()), box->height()));
    QAccessibleEvent opened(completer_->popup(), QAccessible::PopupMenuStart);
    QAccessible::updateAccessibility(&opened);
}

// Once the customers are read, a drop-down that said it was still reading offers them.
void CustomerRecall::Waited() {
    if (!Index() && !unreadable_)
        return;
    reading_->stop();
    if (model_->Reading() && completer_->popup()->isVisible())
        Offer(waiting_);
    ShowHistory();
}

// The focus stays in the box while the drop-down is open, so a screen reader is told of the
// customer the keys move to.
void CustomerRecall::Announce(const QModelIndex& current) {
    QAbstractItemView* popup = completer_->popup();
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(popup);
    if (!current.isValid() || !list || !list->tableInterface())
        return;
    QAccessibleEvent event(popup, QAccessible::Focus);
    event.setChild(list->indexOfChild(list->tableInterface()->cellAt(current.row(), 0)));
    QAccessible::updateAccessibility(&event);
}

void CustomerRecall::Pick(const QModelIndex& row) {
    if (model_->Reading())
        return;
    const CustomerTexts texts = model_->At(row.row());
    for (std::size_t k = 0; k < boxes_.size(); ++k) {
        const QString text = ToQt(texts[k]);
        // Another tool may have stored a longer number than the box takes as typed; the
        // field holds it, so the box must too, or a booking would cut it.
        boxes_[k]->setMaxLength(std::max(boxes_[k]->maxLength(), static_cast<int>(text.size())));
        boxes_[k]->setText(text);
    }
    ShowHistory();
}

void CustomerRecall::ShowHistory() {
    lstHistory_->clear();
    CustomerIndex* index = Index();
    if (!index)
        return;
    CustomerTexts texts;
    for (std::size_t k = 0; k < boxes_.size(); ++k)
        texts[k] = FromQt(boxes_[k]->text());
    const auto& v = program_.Variables();
    for (const CallHistoryLine& call : index->History(texts)) {
        const bool booked = call.place == SlipPlace::Booked;
        auto* item = new QTreeWidgetItem(
            lstHistory_, {ToQt(call.saNumber), ToQt(call.date), ToQt(AssignedToText(v, call.team)),
                          ToQt(call.problem), booked ? ToQt(call.status) : "Completed"});
        if (booked)
            item->setToolTip(0, "Double-click or Enter opens this call in the Call Records");
        item->setData(0, Qt::UserRole, booked);
        item->setData(0, RecordRole, call.record);
    }
    // The first call shows as the current one, so the first Down moves on from it.
    lstHistory_->setCurrentItem(lstHistory_->topLevelItem(0));
}

void CustomerRecall::OpenCall(QTreeWidgetItem* item) {
    if (!item->data(0, Qt::UserRole).toBool()) {
        program_.Ask(FromQt(item->text(0)) + " is completed: it is no longer in the call records.");
        return;
    }
    auto& v = program_.Variables();
    CustomerTexts texts;
    for (std::size_t k = 0; k < boxes_.size(); ++k)
        texts[k] = FromQt(boxes_[k]->text());
    const std::int32_t record = item->data(0, RecordRole).toInt();
    bool holds = false;
    program_.Attempt(
        [&] {
            holds = HoldsBookedCall(v, record, texts, FromQt(item->text(0)), FromQt(item->text(1)));
        },
        "The call is not opened.");
    CloseAllFiles(v);
    if (!holds)
        return program_.Beep();
    window()->hide();
    auto& form = program_.Load<frmCallRecord>();
    form.show();
    form.ShowRecord(record);
}

} // namespace rotaplan
