#include "window/lists/seat_list.h"

#include "window/lists/kept_selection.h"

#include <algorithm>

namespace {

constexpr qint64 typingPause = 1000; // ms after which typed digits start a new seat total

} // namespace

QItemSelectionModel::SelectionFlags SeatList::selectionCommand(
    const QModelIndex& index, const QEvent* event) const
{
    return keptSelection(QListWidget::selectionCommand(index, event));
}

void SeatList::keyboardSearch(const QString& search)
{
    const bool digits = !search.isEmpty()
        && std::all_of(search.begin(), search.end(), [](QChar c) { return c.isDigit(); });
    if (!digits) {
        m_typed.clear();
        QListWidget::keyboardSearch(search);
        return;
    }
    if (!m_sinceTyped.isValid() || m_sinceTyped.elapsed() > typingPause)
        m_typed.clear();
    m_sinceTyped.start();
    // Past the largest total ("3001"), the digit starts a new one.
    QList<QListWidgetItem*> found = findItems(m_typed + search, Qt::MatchExactly);
    m_typed = found.isEmpty() ? search : m_typed + search;
    if (found.isEmpty())
        found = findItems(m_typed, Qt::MatchExactly);
    if (!found.isEmpty())
        setCurrentItem(found.front());
}
