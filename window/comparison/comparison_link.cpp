#include "window/comparison/comparison_link.h"

#include "core/comparison_table.h"
#include "window/comparison/comparison_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>

using namespace apportion;

ComparisonLink::ComparisonLink(
    std::shared_ptr<const Board> board, QButtonGroup* methods, QWidget* window)
    : QObject(window)
    , m_board(std::move(board))
    , m_methods(methods)
    , m_mainWindow(window)
{
}

VoteCount ComparisonLink::count() const { return m_window ? m_window->count() : m_count; }

void ComparisonLink::setCount(const VoteCount& count)
{
    m_count = count;
    if (m_window)
        m_window->setCount(count);
    update();
}

void ComparisonLink::open(const QList<QAction*>& shortcuts, const QFont& font)
{
    if (!m_window) {
        m_window = new ComparisonWindow(m_mainWindow);
        // The main window's shortcuts work while the comparison is the active window too; its
        // copy keys copy the comparison there.
        for (QAction* action : shortcuts)
            m_window->addAction(action);
        connect(m_window, &ComparisonWindow::countChanged, this, &ComparisonLink::update);
        connect(m_window, &ComparisonWindow::countChanged, this, &ComparisonLink::countChanged);
        m_window->setCount(m_count);
        m_windowBehind = true;
        m_window->setZoomedFont(font);
        refresh(true);
        m_window->placeBeside(*m_mainWindow);
    }
    refresh(true);
    m_window->bringForward();
}

void ComparisonLink::setFont(const QFont& font)
{
    if (m_window)
        m_window->setZoomedFont(font);
}

void ComparisonLink::refresh(bool evenHidden)
{
    const VoteCount count = this->count();
    Compared inputs { VoteTexts(m_board->parties), NamesOf(m_board->parties), m_board->SeatTotal(),
        count };
    if (m_compared == inputs
        && !(m_window && m_windowBehind && (evenHidden || m_window->isVisible())))
        return;
    // The main window's options have no threshold; only the comparison window does.
    const MethodComparison comparison = CompareMethods(*m_board, count);
    const bool counted = count != VoteCount {};
    const MethodComparison withoutThreshold
        = counted ? CompareMethods(*m_board) : MethodComparison {};
    m_compared = std::move(inputs);
    for (const MethodResult& result : (counted ? withoutThreshold : comparison).methods) {
        QAbstractButton* option = m_methods->button(static_cast<int>(result.method));
        const QString seats = QString::fromStdString(SeatsSummary(result));
        option->setToolTip(seats);
        option->setAccessibleDescription(seats);
    }
    // A closed comparison is brought up to date when it is opened again.
    if (m_window && (evenHidden || m_window->isVisible())) {
        m_window->showComparison(comparison);
        m_windowBehind = false;
    } else if (m_window) {
        m_windowBehind = true;
    }
}
