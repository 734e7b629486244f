#include "window/comparison/cell_delegate.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

void CellDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString text = item.text;
    // The panel, the selection and the focus as the style draws them; the text here.
    item.text.clear();
    const QWidget* widget = item.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    if (text.isEmpty())
        return;
    item.text = text;
    // The style's text margin on either side, as it places a cell's text; the style's own
    // measure of the text rectangle lays the text out, which is what this delegate saves.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect area = option.rect.adjusted(margin, 0, -margin, 0);
    const QStringList lines = text.split(QLatin1Char('\n'));
    const QFontMetricsF metrics(item.font);
    const double height = metrics.lineSpacing() * static_cast<double>(lines.size());
    double y = area.top() + (area.height() - height) / 2;
    if (!(item.displayAlignment & Qt::AlignVCenter))
        y = (item.displayAlignment & Qt::AlignBottom) ? area.bottom() - height : area.top();
    painter->save();
    painter->setFont(item.font);
    const bool selected = item.state & QStyle::State_Selected;
    const QPalette::ColorGroup group
        = item.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    painter->setPen(
        item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setClipRect(option.rect);
    for (const QString& line : lines) {
        const QStaticText& shown = laidOut(line, item.font);
        const double width = shown.size().width();
        double x = area.left();
        if (item.displayAlignment & Qt::AlignRight)
            x = area.right() + 1 - width;
        else if (item.displayAlignment & Qt::AlignHCenter)
            x = area.left() + (area.width() - width) / 2;
        painter->drawStaticText(QPointF(x, y), shown);
        y += metrics.lineSpacing();
    }
    painter->restore();
}

QSize CellDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QWidget* widget = item.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QStringList lines = item.text.split(QLatin1Char('\n'));
    double widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, laidOut(line, item.font).size().width());
    const QFontMetrics metrics(item.font);
    return { static_cast<int>(std::ceil(widest)) + 2 * margin,
        metrics.lineSpacing() * static_cast<int>(lines.size()) + 2 * margin };
}

const QStaticText& CellDelegate::laidOut(const QString& line, const QFont& font) const
{
    const QString key = font.key() + QLatin1Char('\x1f') + line;
    auto found = m_lines.find(key);
    if (found != m_lines.end())
        return *found;
    // Numbers come and go as the votes are typed: the cache is emptied rather than grown
    // without end.
    if (m_lines.size() > 4000)
        m_lines.clear();
    QStaticText laid(line);
    laid.setTextFormat(Qt::PlainText);
    laid.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.prepare(QTransform(), font);
    return *m_lines.insert(key, laid);
}
