#pragma once

#include "store/NamedList.h"

#include <QComboBox>
#include <QListWidget>
#include <QPointer>
#include <QString>
#include <string>

namespace rotaplan {

class Program;

inline QString ToQt(const std::string& utf8) {
    return QString::fromStdString(utf8);
}
inline std::string FromQt(const QString& text) {
    return text.toStdString();
}

// Keeps a combo or list box showing a list of the program; a typed text survives the refill.
template <class View> void ShowList(NamedList& list, View* view) {
    auto refill = [&list, guard = QPointer<View>(view)] {
        if (!guard)
            return;
        QString typed;
        if constexpr (std::is_same_v<View, QComboBox>)
            typed = guard->currentText();
        guard->clear();
        for (const auto& item : list.Items())
            guard->addItem(ToQt(item));
        if constexpr (std::is_same_v<View, QComboBox>)
            guard->setEditText(typed);
    };
    list.Subscribe(refill);
    refill();
}

// Where a typed text goes: a quoted line of a list file cannot hold a double quote; both
// hold only what Windows-1252 can.
enum class StoredAs { QuotedLine, RecordField };
// True when the text can be stored as it is; otherwise the operator is told why, naming
// what was typed, and false is returned.
bool Storable(Program& program, const QString& text, const char* what, StoredAs storedAs);

} // namespace rotaplan
