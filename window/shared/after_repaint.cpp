#include "window/shared/after_repaint.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

const QEvent::Type runEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

AfterRepaint::AfterRepaint(std::function<void()> run, QObject* parent)
    : QObject(parent)
    , m_run(std::move(run))
{
}

void AfterRepaint::schedule()
{
    m_scheduled = true;
    if (m_posted)
        return;
    m_posted = true;
    // Posted events of one priority arrive in the order posted, and a window's repaint is posted
    // at low priority when the first of its parts changes: this one arrives after it.
    QCoreApplication::postEvent(this, new QEvent(runEvent), Qt::LowEventPriority);
}

bool AfterRepaint::event(QEvent* event)
{
    if (event->type() != runEvent)
        return QObject::event(event);
    m_posted = false;
    if (m_scheduled) {
        m_scheduled = false;
        m_run();
    }
    return true;
}
