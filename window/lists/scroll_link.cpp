#include "window/lists/scroll_link.h"

#include <QAbstractItemView>
#include <QScrollBar>

ScrollLink::ScrollLink(const std::vector<QAbstractItemView*>& views, QObject* parent)
    : QObject(parent)
    , m_views(views)
{
    for (QAbstractItemView* view : m_views)
        connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this, &ScrollLink::follow);
}

void ScrollLink::follow(int value)
{
    if (m_following)
        return;
    m_following = true;
    for (QAbstractItemView* view : m_views)
        view->verticalScrollBar()->setValue(value);
    m_following = false;
}

void ScrollLink::showLastRow()
{
    // Each list lays out its new rows first; all then stand at the bottom together.
    m_following = true;
    for (QAbstractItemView* view : m_views)
        view->scrollToBottom();
    m_following = false;
}
