#pragma once

#include "store/CustomerIndex.h"

#include <QAbstractTableModel>
#include <QGroupBox>
#include <array>
#include <vector>

class QCompleter;
class QLineEdit;
class QModelIndex;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace rotaplan {

class Program;

// The earlier customers that match what is typed, one row each; or, while the customers are
// still read, one row that says so.
class RecallModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    void Show(std::vector<RecalledCustomer> customers);
    void ShowReading();
    bool Reading() const { return reading_; }
    const CustomerTexts& At(int row) const {
        return customers_[static_cast<std::size_t>(row)].texts;
    }

    int rowCount(const QModelIndex& parent) const override;
    int columnCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::vector<RecalledCustomer> customers_;
    bool reading_ = false;
};

// Returning customers on the intake form: a drop-down of earlier customers under the
// telephone and name boxes, and the calls of the customer filled in.
class CustomerRecall : public QGroupBox {
    Q_OBJECT
public:
    CustomerRecall(Program& program, const std::array<QLineEdit*, 7>& boxes, QWidget* parent);
    void Clear();
    bool Offering() const; // the drop-down offers customers, so Enter picks

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CustomerIndex* Index(); // nullptr while it is read, or when the slip files cannot be
    void Open(QLineEdit* box);
    void Waited();
    void Offer(QLineEdit* box);
    void Pick(const QModelIndex& row);
    void Announce(const QModelIndex& current);
    void ShowHistory();
    void OpenCall(QTreeWidgetItem* item);

    Program& program_;
    std::array<QLineEdit*, 7> boxes_;
    RecallModel* model_;
    QCompleter* completer_;
    QTreeWidget* lstHistory_;
    QTimer* reading_; // asks again, while the drop-down says the customers are still read
    QLineEdit* waiting_ = nullptr;
    bool unreadable_ = false; // told once; tried again on the next call
};

} // namespace rotaplan
