#include "window/picture/seat_chart.h"

#include "core/numbers/number_text.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>

using namespace apportion;

namespace {

// Okabe and Ito's blue, vermilion and green, then nine more, each taken in turn as the colour
// farthest (in CIELAB) from those before it under normal vision and simulated protanopia,
// deuteranopia and tritanopia alike, among colours of at least 3:1 contrast against white and
// against the others' light part; every part also carries its label, and the legend its name.
const std::array<QColor, maxPartyCount> partyColours { QColor(0x00, 0x72, 0xB2),
    QColor(0xD5, 0x5E, 0x00), QColor(0x00, 0x9E, 0x73), QColor(0x99, 0x00, 0xFF),
    QColor(0x66, 0x33, 0x11), QColor(0x44, 0x44, 0x55), QColor(0x88, 0x66, 0xEE),
    QColor(0xFF, 0x00, 0x55), QColor(0x99, 0x77, 0x99), QColor(0x44, 0x11, 0xAA),
    QColor(0x66, 0x22, 0x77), QColor(0x99, 0x44, 0x00) };

// The votes of parties not listed: white dotted with grey, lighter than every party's colour.
const QColor othersBase(Qt::white);
const QColor othersDots(150, 150, 150);
const QString othersCaption = QStringLiteral("Други гласове");

constexpr int gap = 6; // between the caption and the bar
constexpr qreal pastedPoints = 20; // the picture put on the clipboard, for a slide
constexpr int labelPadding = 2;

QString seatsSentence(
    const QString& caption, const std::vector<int>& seats, const PartyNames& names)
{
    const bool named
        = std::any_of(names.begin(), names.end(), [](const auto& n) { return !n.empty(); });
    QStringList counts;
    for (std::size_t i = 0; i < seats.size(); ++i) {
        const QString count = QString::number(seats[i]);
        counts << (named ? QStringLiteral("%1 %2").arg(
                       QString::fromStdString(PartyName(names, static_cast<int>(i))), count)
                         : count);
    }
    return QStringLiteral("%1: %2 мандата").arg(caption, counts.join(QStringLiteral(", ")));
}

} // namespace

QColor SeatChart::partyColour(int party)
{
    return partyColours[static_cast<std::size_t>(std::clamp(party, 0, maxPartyCount - 1))];
}

QColor SeatChart::textColour(int party)
{
    // White where it stands out more than black: on colours of relative luminance below 0.179,
    // where the two contrast ratios meet.
    const QColor colour = partyColour(party);
    const auto linear = [](float channel) {
        return channel <= 0.04045f ? channel / 12.92f : std::pow((channel + 0.055f) / 1.055f, 2.4f);
    };
    const float luminance = 0.2126f * linear(colour.redF()) + 0.7152f * linear(colour.greenF())
        + 0.0722f * linear(colour.blueF());
    return luminance < 0.179f ? Qt::white : Qt::black;
}

SeatChart::SeatChart(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("SeatChart"));
    setAccessibleName(QStringLiteral("Мандати спрямо гласовете"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    for (int b = 0; b < 1 + divisorMethodCount + 1; ++b) {
        auto* bar = new SeatBar(this);
        layout->addWidget(bar);
        m_bars.push_back(bar);
    }
    // Each party's colour beside its name, so the picture reads without the table.
    m_legend = new QLabel(this);
    m_legend->setObjectName(QStringLiteral("SeatChartLegend"));
    m_legend->setTextFormat(Qt::RichText);
    m_legend->setWordWrap(true);
    m_legend->hide();
    layout->addWidget(m_legend);

    auto* copy = new QAction(QStringLiteral("Копирай картината"), this);
    connect(copy, &QAction::triggered, this, &SeatChart::copyPicture);
    addAction(copy);
}

void SeatChart::showComparison(const MethodComparison& comparison)
{
    m_shown = comparison;
    QStringList legend;
    for (std::size_t i = 0; i < comparison.votes.size(); ++i) {
        const int party = static_cast<int>(i);
        const QString name = QString::fromStdString(PartyHeading(comparison.names, party));
        const bool under = i < comparison.takesPart.size() && !comparison.takesPart[i];
        // A name wraps as a whole: its own spaces do not break.
        legend << QStringLiteral("<span style=\"color:%1\">■</span>&nbsp;%2%3")
                      .arg(partyColour(party).name(),
                          name.toHtmlEscaped().replace(QLatin1Char(' '), QStringLiteral("&nbsp;")),
                          under ? QStringLiteral("&nbsp;(под прага)") : QString());
    }
    if (comparison.otherVotes > 0)
        legend << QStringLiteral("<span style=\"color:%1\">▒</span>&nbsp;%2")
                      .arg(othersDots.name(),
                          othersCaption.toHtmlEscaped().replace(
                              QLatin1Char(' '), QStringLiteral("&nbsp;")));
    // Set only when it changes: a keystroke in a vote box changes no name.
    const QString text = legend.join(QStringLiteral(" &nbsp; "));
    if (text != m_legend->text())
        m_legend->setText(text);

    QStringList captions { QStringLiteral("Гласове") };
    const std::vector<const MethodResult*> results = comparison.results();
    for (const auto* result : results)
        captions << QString::fromStdString(result->caption);

    // The votes' bar: shares where they are defined, else an empty bar.
    const std::size_t count = comparison.votes.size();
    std::vector<SeatBar::Part> votes(count);
    QStringList shares;
    for (std::size_t i = 0; i < count; ++i) {
        const double share = comparison.voteShares[static_cast<std::size_t>(i)];
        if (std::isfinite(share)) {
            votes[i].share = share / 100;
            votes[i].label
                = QStringLiteral("%1 %").arg(QString::fromStdString(FormatFixed(share, 1)));
        }
        votes[i].hatched = !comparison.takesPart[static_cast<std::size_t>(i)];
        shares << (votes[i].label.isEmpty() ? QStringLiteral("—") : votes[i].label);
    }
    // The others' votes close the bar, labelled like a party's part.
    if (comparison.otherVotes > 0 && std::isfinite(comparison.otherShare)) {
        SeatBar::Part others;
        others.share = comparison.otherShare / 100;
        others.label = QStringLiteral("други %1 %")
                           .arg(QString::fromStdString(FormatFixed(comparison.otherShare, 1)));
        others.others = true;
        votes.push_back(others);
        shares << others.label;
    }
    m_bars[0]->setBar(captions[0], votes, captions);
    m_bars[0]->setAccessibleName(
        QStringLiteral("Гласове: %1").arg(shares.join(QStringLiteral(", "))));

    for (std::size_t r = 0; r < results.size(); ++r) {
        const auto& seats = results[r]->seats;
        int total = 0;
        for (const int held : seats)
            total += held;
        std::vector<SeatBar::Part> parts(count);
        for (std::size_t i = 0; i < count && i < seats.size(); ++i) {
            parts[i].share = total > 0 ? static_cast<double>(seats[i]) / total : 0;
            parts[i].label = seats[i] > 0 ? QString::number(seats[i]) : QString();
        }
        m_bars[r + 1]->setBar(captions[static_cast<int>(r) + 1], parts, captions);
        m_bars[r + 1]->setAccessibleName(
            seatsSentence(captions[static_cast<int>(r) + 1], seats, comparison.names));
    }
    updateGeometry();
}

QImage SeatChart::picture()
{
    QImage image(size() * devicePixelRatioF(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatioF());
    image.fill(Qt::white);
    render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

void SeatChart::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.setFont(font());
    menu.addActions(actions());
    menu.exec(event->globalPos());
    event->accept();
}

QImage SeatChart::pictureToPaste(int width) const
{
    // Drawn afresh at the given width, whatever the screen, in a font a slide reads, under a
    // title that gives the seat total.
    SeatChart wide;
    QFont large = font();
    large.setPointSizeF(pastedPoints);
    wide.setFont(large);
    for (SeatBar* bar : wide.bars())
        bar->setFont(large);
    wide.m_legend->setFont(large);
    wide.setLegendShown(true);
    wide.showComparison(m_shown);
    const QFontMetrics metrics(large);
    const int margin = metrics.height();
    const int title = metrics.height() * 2;
    const int inner = width - 2 * margin;
    wide.resize(inner, wide.heightForWidthOf(inner));
    QImage image(width, wide.height() + title + 2 * margin, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(large);
    painter.setPen(Qt::black);
    painter.drawText(QRect(margin, margin, inner, title), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("Мандати спрямо гласовете: %1 мандата").arg(m_shown.seatTotal));
    painter.end();
    wide.render(&image, QPoint(margin, margin + title), QRegion(), QWidget::DrawChildren);
    return image;
}

int SeatChart::roomyWidth() const
{
    int widest = 0;
    for (const SeatBar* bar : m_bars)
        widest = std::max(widest, bar->roomyWidth());
    return widest;
}

void SeatChart::setLegendShown(bool shown) { m_legend->setVisible(shown); }

int SeatChart::heightForWidthOf(int width)
{
    resize(width, 1);
    layout()->activate();
    return layout()->totalHeightForWidth(width);
}

void SeatChart::copyPicture() { QGuiApplication::clipboard()->setImage(pictureToPaste()); }

SeatBar::SeatBar(QWidget* parent)
    : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void SeatBar::setBar(
    const QString& caption, const std::vector<Part>& parts, const QStringList& captions)
{
    // New shares move the parts; the layout is asked again only where the bar's height changes
    // (its labels take another row under it) or the captions do.
    const int before = heightForWidth(width());
    const bool newCaptions = captions != m_captions;
    m_caption = caption;
    m_parts = parts;
    m_heightFor.reset();
    if (newCaptions)
        m_captionWidth.reset();
    m_captions = captions;
    if (newCaptions || heightForWidth(width()) != before)
        updateGeometry();
    update();
}

int SeatBar::captionWidth() const
{
    // Every part's place starts from it, so it is measured once for the captions and the font.
    if (m_captionWidth && m_captionFont == font())
        return *m_captionWidth;
    int widest = 0;
    for (const auto& caption : m_captions)
        widest = std::max(widest, fontMetrics().horizontalAdvance(caption));
    m_captionWidth = widest;
    m_captionFont = font();
    return widest;
}

int SeatBar::barHeight() const { return fontMetrics().height() * 3 / 2; }

QSize SeatBar::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    // Room for a few labels side by side at the least; the rest go under the bar.
    const int width = captionWidth() + gap + 24 * metrics.horizontalAdvance(QLatin1Char('0'));
    return { width, heightForWidth(std::max(width, this->width())) };
}

int SeatBar::roomyWidth() const
{
    const QFontMetrics metrics = fontMetrics();
    int widest = 0;
    for (const auto& part : m_parts)
        widest = std::max(widest, metrics.horizontalAdvance(part.label));
    const int cell = widest + 2 * labelPadding + metrics.horizontalAdvance(QLatin1Char(' '));
    return captionWidth() + gap + cell * static_cast<int>(m_parts.size());
}

int SeatBar::heightForWidth(int width) const
{
    // The layout asks for it several times a change: measured once per width, parts and font.
    if (m_heightFor && m_heightFor->width == width && m_heightFor->font == font())
        return m_heightFor->height;
    int rows = 0;
    labelRects(width, &rows);
    const int line = fontMetrics().height();
    const int height = barHeight() + (rows > 0 ? line / 2 + rows * line : 0);
    m_heightFor = MeasuredHeight { width, font(), height };
    return height;
}

QRect SeatBar::barArea(int width) const
{
    return QRect(0, 0, width, barHeight()).adjusted(captionWidth() + gap, 1, -1, -1);
}

QRect SeatBar::partRect(int party) const { return partRect(party, width()); }

QRect SeatBar::partRect(int party, int width) const
{
    const QRect area = barArea(width);
    if (party < 0 || static_cast<std::size_t>(party) >= m_parts.size())
        return {};
    double start = 0;
    for (int i = 0; i < party; ++i)
        start += m_parts[static_cast<std::size_t>(i)].share;
    const double end = start + m_parts[static_cast<std::size_t>(party)].share;
    const int left = area.left() + qRound(start * area.width());
    const int right = area.left() + qRound(end * area.width());
    return QRect(left, area.top(), right - left, area.height());
}

std::vector<QRect> SeatBar::labelRects(int width, int* rows) const
{
    const QFontMetrics metrics = fontMetrics();
    const QRect area = barArea(width);
    const int line = metrics.height();
    const int firstRow = barHeight() + line / 2;
    const int spacing = metrics.horizontalAdvance(QLatin1Char(' '));
    std::vector<QRect> placed(m_parts.size());
    std::vector<std::size_t> outside; // the parties whose label does not fit inside, in order
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        const auto& part = m_parts[i];
        const QRect rect = partRect(static_cast<int>(i), width);
        if (part.label.isEmpty() || part.share <= 0)
            continue;
        const int labelWidth = metrics.horizontalAdvance(part.label) + 2 * labelPadding;
        if (labelWidth <= rect.width())
            placed[i] = rect;
        else
            outside.push_back(i);
    }

    // The labels that go under the bar keep the parties' order, so that no two leaders cross
    // within a row: as few rows as hold them, the labels dealt to the rows in turn.
    std::size_t rowCount = 0;
    bool fits = outside.empty();
    while (!fits) {
        ++rowCount;
        fits = true;
        for (std::size_t row = 0; row < rowCount && fits; ++row) {
            int needed = 0;
            for (std::size_t k = row; k < outside.size(); k += rowCount)
                needed += metrics.horizontalAdvance(m_parts[outside[k]].label) + 2 * labelPadding
                    + spacing;
            fits = needed <= area.width() + spacing || rowCount >= outside.size();
        }
    }
    for (std::size_t row = 0; row < rowCount; ++row) {
        std::vector<std::size_t> inRow;
        for (std::size_t k = row; k < outside.size(); k += rowCount)
            inRow.push_back(outside[k]);
        // Each label centred under its part, then pushed right off the one before it, then
        // pulled left off the one after it and the bar's end.
        std::vector<QRect> rects;
        for (const std::size_t party : inRow) {
            const QRect part = partRect(static_cast<int>(party), width);
            const int labelWidth
                = metrics.horizontalAdvance(m_parts[party].label) + 2 * labelPadding;
            rects.emplace_back(part.center().x() - labelWidth / 2,
                firstRow + static_cast<int>(row) * line, labelWidth, line);
        }
        for (std::size_t k = 0; k < rects.size(); ++k) {
            const int least = k == 0 ? area.left() : rects[k - 1].right() + 1 + spacing;
            rects[k].moveLeft(std::max(rects[k].left(), least));
        }
        for (std::size_t k = rects.size(); k-- > 0;) {
            const int most
                = k + 1 == rects.size() ? area.right() : rects[k + 1].left() - 1 - spacing;
            rects[k].moveRight(std::min(rects[k].right(), most));
        }
        for (std::size_t k = 0; k < rects.size(); ++k)
            placed[inRow[k]] = rects[k];
    }
    if (rows)
        *rows = static_cast<int>(rowCount);
    return placed;
}

QRect SeatBar::labelRect(int party) const
{
    const std::vector<QRect> placed = labelRects(width());
    return party >= 0 && static_cast<std::size_t>(party) < placed.size()
        ? placed[static_cast<std::size_t>(party)]
        : QRect();
}

bool SeatBar::labelShown(int party) const
{
    const QRect label = labelRect(party);
    return label.isValid() && label == partRect(party);
}

void SeatBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor text = palette().color(QPalette::WindowText);
    painter.setPen(text);
    painter.drawText(
        QRect(0, 0, captionWidth(), barHeight()), Qt::AlignVCenter | Qt::AlignLeft, m_caption);
    painter.drawRect(barArea(width()).adjusted(0, 0, -1, -1));
    const std::vector<QRect> labels = labelRects(width());
    for (int i = 0; i < static_cast<int>(m_parts.size()); ++i) {
        const QRect part = partRect(i);
        const auto& shown = m_parts[static_cast<std::size_t>(i)];
        if (part.width() > 0 && shown.others) {
            painter.fillRect(part, othersBase);
            painter.fillRect(part, QBrush(othersDots, Qt::Dense6Pattern));
        } else if (part.width() > 0) {
            painter.fillRect(part, SeatChart::partyColour(i));
            if (shown.hatched)
                painter.fillRect(part, QBrush(Qt::black, Qt::BDiagPattern));
            painter.setPen(Qt::black);
            painter.drawLine(part.topRight(), part.bottomRight());
        }
        // A part too thin to see still has its label, with a leader to where it stands.
        const QRect label = labels[static_cast<std::size_t>(i)];
        if (!label.isValid())
            continue;
        if (label == part) {
            painter.setPen(shown.others ? QColor(Qt::black) : SeatChart::textColour(i));
        } else {
            // A leader from the middle of the part's foot to the label under the bar.
            painter.setPen(text);
            painter.drawLine(QPoint(part.center().x(), part.bottom() + 1),
                QPoint(label.center().x(), label.top()));
        }
        painter.drawText(label, Qt::AlignCenter, shown.label);
    }
}
