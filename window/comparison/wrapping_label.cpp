#include "window/comparison/wrapping_label.h"

#include <QFontMetrics>

#include <algorithm>

namespace {

constexpr int hintCharacters = 80;
constexpr int leastCharacters = 12;

} // namespace

WrappingLabel::WrappingLabel(QWidget* parent)
    : QLabel(parent)
{
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
}

int WrappingLabel::heightForWidth(int width) const
{
    if (m_measuredText != text() || m_measuredFont != font()) {
        m_measuredText = text();
        m_measuredFont = font();
        m_heights.clear();
    }
    const auto known = m_heights.constFind(width);
    if (known != m_heights.constEnd())
        return *known;
    const int height = QLabel::heightForWidth(width);
    m_heights.insert(width, height);
    return height;
}

QSize WrappingLabel::sizeHint() const
{
    // As high as the text stands at the width it has, once it has one: a height the layout has
    // measured already, where another width would lay the text out once more.
    const int hinted = std::min(fontMetrics().averageCharWidth() * hintCharacters, maximumWidth());
    return { hinted, heightForWidth(width() > 0 && isVisible() ? width() : hinted) };
}

QSize WrappingLabel::minimumSizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    const QMargins margins = contentsMargins();
    return { std::min(metrics.averageCharWidth() * leastCharacters, maximumWidth()),
        metrics.height() + margins.top() + margins.bottom() };
}
