#pragma once

#include "store/CustomerIndex.h"

#include <QAbstractTableModel>
#include <QGroupBox>
#include <array>
#include <vector>

class QCompleter;
class QLineEdit;
class QModelIndex;
class QTreeWidget;
class QTreeWidgetItem;

namespace rotaplan {

class Program;

// The earlier customers that match what is typed, one row each.
class RecallModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    void Show(const CustomerIndex& index, std::vector<CustomerId> customers);
    CustomerId At(int row) const { return customers_[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent) const override;
    int columnCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<CustomerId> customers_;
    std::vector<std::array<QString, 4>> rows_; // name, street, city, last call
};

// Returning customers on the intake form: a drop-down of earlier customers under the
// telephone and name boxes, and the calls of the customer filled in.
class CustomerRecall : public QGroupBox {
    Q_OBJECT
public:
    CustomerRecall(Program& program, const std::array<QLineEdit*, 7>& boxes, QWidget* parent);
    void Clear();
    bool Offering() const; // the drop-down is open, so Enter picks

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CustomerIndex* Index(); // nullptr when the slip files cannot be read
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
    bool unreadable_ = false; // told once; tried again on the next call
};

} // namespace rotaplan
