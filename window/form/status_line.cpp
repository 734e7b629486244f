#include "window/form/status_line.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr double smallestScale = 0.75; // of the window's font, before the report is elided
constexpr int sideMargin = 4;
constexpr double scaleStep = 0.02;

// The text cut to `width` at the end of a word, with "…" after it: a class reads no half word.
QString wholeWordsElided(const QString& text, const QFontMetrics& metrics, int width)
{
    QString cut = metrics.elidedText(text, Qt::ElideRight, width);
    if (cut == text)
        return text;
    cut.chop(1); // the "…"
    // Where the cut fell inside a word, back to the blank before it.
    if (cut.size() < text.size() && !text.at(cut.size()).isSpace()) {
        const auto blank = cut.lastIndexOf(QLatin1Char(' '));
        if (blank > 0)
            cut.truncate(blank);
    }
    while (!cut.isEmpty() && (cut.back().isSpace() || cut.back().isPunct()))
        cut.chop(1);
    return cut + QChar(0x2026);
}

} // namespace

StatusLine::StatusLine(QWidget* parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("StatusLine"));
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setIndent(sideMargin);
}

void StatusLine::report(const QString& text)
{
    m_reported = text;
    // QWidget tells accessibility clients of each new name.
    setAccessibleName(text);
    fit();
}

QSize StatusLine::sizeHint() const
{
    if (m_lines == 1)
        return QLabel::sizeHint();
    const int room = std::max(1, width() - 2 * sideMargin);
    const QRect wrapped = fontMetrics().boundingRect(
        QRect(0, 0, room, QWIDGETSIZE_MAX), Qt::AlignLeft | Qt::TextWordWrap, text());
    return { wrapped.width() + 2 * sideMargin, wrapped.height() };
}

void StatusLine::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.setFont(font());
    if (m_lines > 1) {
        painter.drawText(rect().adjusted(sideMargin, 0, -sideMargin, 0),
            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text());
        return;
    }
    const QFontMetrics& metrics = fontMetrics();
    const int baseline = (height() - metrics.height()) / 2 + metrics.ascent();
    painter.drawText(QPoint(sideMargin, baseline), text());
}

void StatusLine::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    fit();
}

void StatusLine::showEvent(QShowEvent* event)
{
    QLabel::showEvent(event);
    fit();
}

void StatusLine::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && !m_fitting)
        fit();
}

void StatusLine::fit()
{
    // A number and its "%" stay on one line.
    QString reported = m_reported;
    reported.replace(QStringLiteral(" %"), QStringLiteral("\u00A0%"));
    // The font the window gives; a smaller one set by an earlier fit is not that.
    QFont font = parentWidget() ? parentWidget()->font() : QLabel::font();
    const int room = width() - 2 * sideMargin;
    if (font != m_measuredFont) {
        m_measuredFont = font;
        m_metrics = QFontMetrics(font);
        m_advances.clear();
    }
    int bound = 0;
    for (const QChar c : reported) {
        auto advance = m_advances.constFind(c);
        if (advance == m_advances.constEnd())
            advance = m_advances.insert(c, m_metrics.horizontalAdvance(c));
        bound += *advance;
    }
    // Each letter's advance is rounded to a whole pixel, so their sum may fall short of the line
    // by up to half a pixel a letter (953 px summed, 966 drawn in DejaVu Sans at 12 points): only
    // a sum with that much to spare spares measuring the line itself.
    const auto slack = static_cast<int>(reported.size());
    const int needed = bound + slack <= room ? bound : m_metrics.horizontalAdvance(reported);
    QString shown = reported;
    if (needed > room && room > 0) {
        // Every size is taken from the window's font, never from one already made smaller.
        const QFont base = font;
        const auto at = [&base](double scale) {
            QFont smaller = base;
            smaller.setPointSizeF(base.pointSizeF() * scale);
            return smaller;
        };
        // Words wrapped into the lines there are, at a font `scale` of the window's.
        const auto wrappedHeight = [&](double scale) {
            return QFontMetrics(at(scale))
                .boundingRect(QRect(0, 0, room, 10 * height()), Qt::TextWordWrap, reported)
                .height();
        };
        // A little smaller on one line where that is enough, measured rather than scaled: a
        // font's width does not follow its size exactly, and a guess would cut the last word.
        double scale = std::min(1.0, static_cast<double>(room) / needed);
        while (m_lines == 1 && scale >= smallestScale
            && QFontMetrics(at(scale)).horizontalAdvance(reported) > room)
            scale -= scaleStep;
        // Only a line placed in its window knows its width.
        if (m_lines == 1 && scale < smallestScale && isVisible()) {
            // Another line under the controls, asked for once: the window grows by it, which
            // fits the report again at the new height.
            m_lines = 2;
            const int before = height();
            emit linesChanged(m_lines);
            if (height() != before)
                return;
        }
        if (m_lines > 1) {
            scale = 1;
            while (scale > smallestScale && wrappedHeight(scale) > height())
                scale -= scaleStep;
        }
        scale = std::max(smallestScale, scale);
        font = at(scale);
        const QFontMetrics fitted(font);
        // Past the lines there are at the smallest font the rest is left out after the last
        // word that fits, whole in the tooltip.
        const int lineCount = m_lines > 1 ? std::max(1, height() / fitted.lineSpacing()) : 1;
        const bool fits = m_lines > 1 ? wrappedHeight(scale) <= height()
                                      : fitted.horizontalAdvance(reported) <= room;
        if (!fits)
            shown = wholeWordsElided(
                reported, fitted, m_lines > 1 ? room * lineCount - room / 4 : room);
    }
    // A report a turn: the font changes only when the report's fit or the zoom does.
    if (font != QLabel::font()) {
        m_fitting = true;
        setFont(font);
        m_fitting = false;
    }
    setText(shown);
    const QString tip = shown == reported ? QString() : m_reported;
    if (tip != toolTip())
        setToolTip(tip);
}
