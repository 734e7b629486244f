#pragma once

#include "core/comparison/comparison_table.h"

#include <QAbstractTableModel>

// The methods compared, as a table: a row of votes, then one row per method (the five divisor
// methods and Hare–Niemeyer), named in the row headings; a column per party, headed with its
// colour in the picture and marked where a threshold leaves it out, then the Gallagher index and
// the effective number of parties. Holds its own copy of the comparison and is given a new one
// whenever the votes or the seat total change.
class ComparisonModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    const apportion::ComparisonTable& table() const { return m_table; }
    void setTable(apportion::ComparisonTable table);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // A party's name as a column's head shows it: cut with "…" past a head's width of letters.
    static QString shortHeading(const QString& heading);

private:
    const apportion::ComparisonTable::Cell* cell(const QModelIndex& index) const;
    bool underThreshold(int party) const;

    apportion::ComparisonTable m_table;
};
