#pragma once

#include <QWidget>

class QTableView;

namespace rotaplan {

class Program;
class CompletedGrid;

// The call slips of days gone by: mark some and delete them, or delete them all.
class frmCompleted : public QWidget {
    Q_OBJECT
public:
    explicit frmCompleted(Program& program);
    // The grid is rebuilt from the file each time the form comes up.
    void Activate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fgCompletions_Click(int row);
    void cmdSelected_Click();
    void DeleteAll();
    void ExportReport(); // for a spreadsheet, as a workbook or CSV
    void BackToMenu();

    Program& program_;
    CompletedGrid* grid_;
    QTableView* fgCompletions_;
};

} // namespace rotaplan
