#include "window/chamber/hemicycle_view.h"

#include "window/picture/seat_chart.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <QPixmap>

#include <algorithm>
#include <cmath>

using namespace apportion;

namespace {

constexpr double margin = 0.04; // of the outer radius, round the half circle

} // namespace

HemicycleView::HemicycleView(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Hemicycle"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(QStringLiteral("Парламент"));
}

void HemicycleView::showChamber(const Chamber& chamber, const PartyNames& names)
{
    // A keystroke in a vote box changes no seat: nothing is drawn again.
    if (chamber == m_chamber && names == m_names && !m_layout.places.empty() == (chamber.total > 0))
        return;
    if (chamber.total != m_chamber.total
        || m_layout.places.size() != static_cast<std::size_t>(chamber.total))
        m_layout = LayOutChamber(chamber.total);
    m_chamber = chamber;
    m_names = names;
    setAccessibleDescription(QString::fromStdString(DescribeChamber(m_chamber, m_names)));
    update();
}

void HemicycleView::setChosen(const std::vector<int>& parties)
{
    if (parties == m_chosen)
        return;
    m_chosen = parties;
    update();
}

HemicycleView::Geometry HemicycleView::geometryIn(const QRectF& area, const QFont& font) const
{
    const QFontMetricsF metrics(font);
    const double text = 2.3 * metrics.lineSpacing();
    // The half circle with its margin is twice as wide as it is high.
    const double radius = std::max(1.0,
        std::min(area.width() / (2 * (1 + margin)), (area.height() - text) / (1 + 2 * margin)));
    Geometry geometry;
    const double top = area.top() + (area.height() - text - radius * (1 + 2 * margin)) / 2;
    geometry.centre = QPointF(area.center().x(), top + radius * (1 + margin));
    geometry.radius = radius;
    geometry.textArea
        = QRectF(area.left(), geometry.centre.y() + radius * margin, area.width(), text);
    return geometry;
}

void HemicycleView::drawDot(
    QPainter& painter, const QPointF& centre, double dot, const QColor& colour)
{
    if (colour.isValid()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
    } else {
        painter.setPen(QPen(QColor(158, 158, 158), std::max(1.0, dot * 0.15)));
        painter.setBrush(Qt::white);
    }
    painter.drawEllipse(centre, dot, dot);
}

void HemicycleView::drawSeat(
    QPainter& painter, const QPointF& centre, double dot, const QColor& colour)
{
    const qreal ratio = devicePixelRatioF();
    const auto key = std::make_pair(colour.isValid() ? colour.rgba() : 0u, dot);
    auto found = m_seatSprites.find(key);
    if (found == m_seatSprites.end()) {
        if (m_seatSprites.size() > 64)
            m_seatSprites.clear();
        const int side = static_cast<int>(std::ceil((2 * dot + 4) * ratio));
        QPixmap sprite(side, side);
        sprite.setDevicePixelRatio(ratio);
        sprite.fill(Qt::transparent);
        QPainter drawing(&sprite);
        drawing.setRenderHint(QPainter::Antialiasing);
        const double middle = side / ratio / 2;
        drawDot(drawing, QPointF(middle, middle), dot, colour);
        drawing.end();
        found = m_seatSprites.emplace(key, sprite).first;
    }
    const double middle = found->second.width() / ratio / 2;
    painter.drawPixmap(centre - QPointF(middle, middle), found->second);
}

QPointF HemicycleView::seatCentre(int place) const
{
    if (place < 0 || static_cast<std::size_t>(place) >= m_layout.places.size())
        return {};
    const Geometry geometry = geometryIn(QRectF(rect()), font());
    const SeatPlace& seat = m_layout.places[static_cast<std::size_t>(place)];
    return geometry.centre + QPointF(seat.x, -seat.y) * geometry.radius;
}

double HemicycleView::dotRadius() const
{
    return m_layout.seatRadius * geometryIn(QRectF(rect()), font()).radius;
}

QColor HemicycleView::seatColour(std::size_t place) const
{
    const int party = place < m_chamber.occupant.size() ? m_chamber.occupant[place] : -1;
    if (party < 0)
        return {}; // not given yet: an empty ring
    QColor colour = SeatChart::partyColour(party);
    // Outside the coalition tried, a party's seats are pale.
    if (!m_chosen.empty() && std::find(m_chosen.begin(), m_chosen.end(), party) == m_chosen.end())
        colour = QColor::fromRgbF(0.3f * colour.redF() + 0.7f, 0.3f * colour.greenF() + 0.7f,
            0.3f * colour.blueF() + 0.7f);
    return colour;
}

QPointF HemicycleView::placeCentre(const Geometry& geometry, std::size_t place) const
{
    const SeatPlace& seat = m_layout.places[place];
    return geometry.centre + QPointF(seat.x, -seat.y) * geometry.radius;
}

void HemicycleView::paint(QPainter& painter, const QRectF& area, const QFont& font) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    const Geometry geometry = geometryIn(area, font);
    const double dot = m_layout.seatRadius * geometry.radius;
    for (std::size_t place = 0; place < m_layout.places.size(); ++place) {
        drawDot(painter, placeCentre(geometry, place), dot, seatColour(place));
    }
    paintOverSeats(painter, geometry, font);
    painter.restore();
}

void HemicycleView::paintOverSeats(
    QPainter& painter, const Geometry& geometry, const QFont& font) const
{
    const double dot = m_layout.seatRadius * geometry.radius;
    if (m_chamber.newestPlace
        && static_cast<std::size_t>(*m_chamber.newestPlace) < m_layout.places.size()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, std::max(2.0, dot * 0.3)));
        const QPointF centre
            = placeCentre(geometry, static_cast<std::size_t>(*m_chamber.newestPlace));
        painter.drawEllipse(centre, dot * 1.5, dot * 1.5);
    }
    if (m_chamber.majority > 0 && !m_layout.places.empty()) {
        const double angle = MajorityAngle(m_layout, m_chamber.majority);
        const QPointF ray(std::cos(angle), -std::sin(angle));
        QPen line(Qt::black, std::max(2.0, geometry.radius / 150), Qt::DashLine);
        painter.setPen(line);
        painter.drawLine(geometry.centre
                + ray * (m_layout.innerRadius - 2 * m_layout.seatRadius) * geometry.radius,
            geometry.centre + ray * (1 + 2 * m_layout.seatRadius) * geometry.radius);
    }
    painter.setPen(Qt::black);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF metrics(font);
    QRectF line = geometry.textArea;
    line.setHeight(metrics.lineSpacing() * 1.15);
    painter.setFont(bold);
    painter.drawText(
        line, Qt::AlignHCenter | Qt::AlignVCenter, QString::fromStdString(MajorityText(m_chamber)));
    painter.setFont(font);
    line.translate(0, line.height());
    const QString newest = QString::fromStdString(NewestSeatText(m_chamber, m_names));
    painter.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter,
        QFontMetricsF(font).elidedText(newest, Qt::ElideRight, line.width()));
}

void HemicycleView::drawSeatsOnScreen(const Geometry& geometry)
{
    // The seats are kept drawn in a picture of the widget; a seat given, taken back or chosen
    // redraws only the seats whose colour changed, and the picture is copied whole.
    const qreal ratio = devicePixelRatioF();
    const double dot = m_layout.seatRadius * geometry.radius;
    const bool fresh = m_canvas.isNull() || m_canvas.size() != size() * ratio
        || m_canvas.devicePixelRatio() != ratio || m_canvasColours.size() != m_layout.places.size()
        || m_canvasDot != dot;
    if (fresh) {
        m_canvas = QPixmap(size() * ratio);
        m_canvas.setDevicePixelRatio(ratio);
        m_canvas.fill(Qt::white);
        m_canvasColours.assign(m_layout.places.size(), 1); // no colour: every seat drawn
        m_canvasDot = dot;
    }
    QPainter canvas(&m_canvas);
    canvas.setRenderHint(QPainter::Antialiasing);
    for (std::size_t place = 0; place < m_layout.places.size(); ++place) {
        const QColor colour = seatColour(place);
        const QRgb shown = colour.isValid() ? colour.rgba() : 0;
        if (m_canvasColours[place] == shown)
            continue;
        const QPointF centre = placeCentre(geometry, place);
        if (!fresh) {
            canvas.setPen(Qt::NoPen);
            canvas.setBrush(Qt::white);
            canvas.drawEllipse(centre, dot + 1.5, dot + 1.5);
        }
        drawSeat(canvas, centre, dot, colour);
        m_canvasColours[place] = shown;
    }
}

QFont HemicycleView::sheetFont(const QFont& font, double width)
{
    QFont sheet = font;
    sheet.setPixelSize(std::max(12, static_cast<int>(width / 36)));
    return sheet;
}

namespace {

struct SheetRows {
    double title = 0;
    double chamber = 0;
    double legendRow = 0;
    int legendRows = 0;
};

SheetRows sheetRows(double width, const QFont& font, const QString& title, int parties)
{
    const QFontMetricsF metrics(font);
    SheetRows rows;
    rows.title = title.isEmpty() ? 0 : std::ceil(metrics.lineSpacing() * 1.6);
    rows.chamber = std::ceil(width / 2.0 + 2.6 * metrics.lineSpacing());
    rows.legendRow = std::ceil(metrics.lineSpacing() * 1.3);
    rows.legendRows = (parties + 1) / 2; // two entries a row
    return rows;
}

} // namespace

double HemicycleView::sheetHeight(double width, const QFont& font, const QString& title) const
{
    const SheetRows rows = sheetRows(width, font, title, static_cast<int>(m_chamber.seats.size()));
    return rows.title + rows.chamber + (rows.legendRows + 0.5) * rows.legendRow;
}

void HemicycleView::paintSheet(
    QPainter& painter, const QRectF& area, const QFont& font, const QString& title) const
{
    const auto parties = static_cast<int>(m_chamber.seats.size());
    const double width = area.width();
    const SheetRows rows = sheetRows(width, font, title, parties);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(Qt::black);
    if (!title.isEmpty()) {
        painter.drawText(QRectF(area.left(), area.top(), width, rows.title), Qt::AlignCenter,
            QFontMetricsF(font).elidedText(title, Qt::ElideRight, width));
    }
    paint(painter, QRectF(area.left(), area.top() + rows.title, width, rows.chamber), font);
    const QFontMetricsF metrics(font);
    const double square = metrics.height() * 0.8;
    for (int party = 0; party < parties; ++party) {
        const double x = area.left() + (party < rows.legendRows ? width * 0.06 : width * 0.54);
        const double y
            = area.top() + rows.title + rows.chamber + (party % rows.legendRows) * rows.legendRow;
        painter.fillRect(QRectF(x, y + (rows.legendRow - square) / 2, square, square),
            SeatChart::partyColour(party));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x + square * 1.5, y, width * 0.4, rows.legendRow),
            Qt::AlignLeft | Qt::AlignVCenter,
            metrics.elidedText(QString::fromStdString(LegendEntry(m_chamber, m_names, party)),
                Qt::ElideMiddle, width * 0.4));
    }
    painter.restore();
}

QImage HemicycleView::picture(const QString& title, int width) const
{
    const QFont font = sheetFont(this->font(), width);
    QImage image(width, static_cast<int>(std::ceil(sheetHeight(width, font, title))),
        QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintSheet(painter, QRectF(0, 0, width, image.height()), font, title);
    return image;
}

QSize HemicycleView::sizeHint() const
{
    const QFontMetrics metrics(font());
    return { metrics.averageCharWidth() * 60,
        metrics.averageCharWidth() * 30 + metrics.lineSpacing() * 3 };
}

QSize HemicycleView::minimumSizeHint() const
{
    const QFontMetrics metrics(font());
    return { metrics.averageCharWidth() * 24,
        metrics.averageCharWidth() * 12 + metrics.lineSpacing() * 3 };
}

void HemicycleView::paintEvent(QPaintEvent*)
{
    const Geometry geometry = geometryIn(QRectF(rect()), font());
    drawSeatsOnScreen(geometry);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawPixmap(0, 0, m_canvas);
    paintOverSeats(painter, geometry, font());
}
