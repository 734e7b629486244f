#include "window/comparison/comparison_link.h"

#include "core/comparison/comparison_table.h"
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

void ComparisonLink::say(const QString& text)
{
    if (m_window)
        m_window->say(text);
}

void ComparisonLink::open(const QList<QAction*>& shortcuts, const QFont& font, qreal plainPoints)
{
    if (!m_window) {
        m_window = new ComparisonWindow(m_mainWindow);
        // The main window's shortcuts work while the comparison is the active window too; its
        // copy keys copy the comparison there.
        for (QAction* action : shortcuts)
            m_window->addAction(action);
        connect(m_window, &ComparisonWindow::countChosen, this, &ComparisonLink::countChosen);
        connect(m_window, &ComparisonWindow::historyAsked, this, &ComparisonLink::historyAsked);
        m_windowBehind = true;
        m_window->setPlainPointSize(plainPoints);
        m_window->setZoomedFont(font);
        refresh(true);
        m_window->placeBeside(*m_mainWindow);
    }
    refresh(true);
    m_window->bringForward();
}

void ComparisonLink::setFont(const QFont& font, qreal plainPoints)
{
    if (m_window) {
        m_window->setPlainPointSize(plainPoints);
        m_window->setZoomedFont(font);
    }
}

void ComparisonLink::refresh(bool evenHidden)
{
    const VoteCount& count = m_board->voteCount;
    Compared inputs { m_board->Votes().texts, NamesOf(m_board->parties), m_board->SeatTotal(),
        count };
    if (m_compared == inputs
        && !(m_window && m_windowBehind && (evenHidden || m_window->isVisible())))
        return;
    // The options tell the seats the main window gives, under the lesson's threshold.
    const MethodComparison comparison = CompareMethods(*m_board);
    m_compared = std::move(inputs);
    if (m_window)
        m_window->setCount(count);
    for (const MethodResult& result : comparison.methods) {
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
