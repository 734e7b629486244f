#pragma once

#include "core/method_comparison.h"

#include <QWidget>

class ComparisonModel;
class QLabel;
class QTableView;

// A separate window with the five methods compared for the votes and the seat total of the main
// window, which it follows live. Ctrl+C copies the comparison. A screen reader reads it as a
// table, cell by cell, with its row and column headings.
class ComparisonWindow : public QWidget {
    Q_OBJECT

public:
    explicit ComparisonWindow(QWidget* parent = nullptr);

    void showComparison(apportion::ComparisonTable table);
    // Follows the main window's zoom.
    void setZoomedFont(const QFont& font);
    // Moves beside the main window, on its screen.
    void placeBeside(const QWidget& window);

    const ComparisonModel& model() const { return *m_model; }

private:
    void fitToContents();

    ComparisonModel* m_model = nullptr;
    QLabel* m_legend = nullptr;
    QTableView* m_table = nullptr;
};
