#pragma once

#include "core/allocation/board.h"

#include <QAbstractListModel>

#include <memory>
#include <optional>

// The selected method's divisor series, as the divisor list shows it. Each divisor explains
// which seat of a party it is for. Shares the board it reads and is told when it changed.
class DivisorModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit DivisorModel(std::shared_ptr<const apportion::Board> board, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Brings the view up to date; true when a new series replaced the one shown.
    bool showBoard();

private:
    std::shared_ptr<const apportion::Board> m_board;
    int m_shownRows = 0;
    std::optional<apportion::DivisorMethod> m_shownMethod;
};
