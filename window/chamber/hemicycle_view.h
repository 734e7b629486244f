#pragma once

#include "core/chamber/hemicycle.h"

#include <QPixmap>
#include <QWidget>

#include <map>
#include <utility>
#include <vector>

class QPainter;

// The chamber drawn as the news draws a parliament: the seats as dots in rows of a half circle,
// each party's in its colour in the order of the columns, the seats not yet given as empty rings,
// the newest seat ringed, and the majority as a dashed line from the floor out. Under the floor
// the majority is written ("мнозинство: 121 от 240") and the newest seat named. Parties chosen
// for a coalition stand out: the others are drawn pale.
class HemicycleView : public QWidget {
    Q_OBJECT

public:
    explicit HemicycleView(QWidget* parent = nullptr);

    void showChamber(const apportion::Chamber& chamber, const apportion::PartyNames& names);
    // The parties of a coalition tried; none chosen draws every party full.
    void setChosen(const std::vector<int>& parties);

    const apportion::Chamber& chamber() const { return m_chamber; }
    // Where seat place `place` is drawn in the widget, and its dot's radius: for the tests and
    // for a pointer over a seat.
    QPointF seatCentre(int place) const;
    double dotRadius() const;

    // The chamber drawn into `area` of any paint device: the screen, an image or a printer,
    // where it stays vector. Text in `font`.
    void paint(QPainter& painter, const QRectF& area, const QFont& font) const;
    // The chamber with `title` above it and the legend under it, as a slide or a page shows it:
    // drawn into `area`'s width from its top, text in `font`; sheetHeight() gives the height it
    // takes at a width.
    void paintSheet(
        QPainter& painter, const QRectF& area, const QFont& font, const QString& title) const;
    double sheetHeight(double width, const QFont& font, const QString& title) const;
    // The sheet's text size at a width: as large on a slide as the window's on the screen.
    static QFont sheetFont(const QFont& font, double width);
    // The sheet as a picture for a slide: `width` pixels wide whatever the screen.
    QImage picture(const QString& title, int width = 1600) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Geometry {
        QPointF centre; // the middle of the floor
        double radius = 0; // the outer row's
        QRectF textArea; // under the floor: the majority and the newest seat
    };
    Geometry geometryIn(const QRectF& area, const QFont& font) const;
    // A place's colour: its party's, pale outside a coalition tried; none where not given.
    QColor seatColour(std::size_t place) const;
    QPointF placeCentre(const Geometry& geometry, std::size_t place) const;
    // The newest seat's ring, the majority's line and the text under the floor.
    void paintOverSeats(QPainter& painter, const Geometry& geometry, const QFont& font) const;
    // Brings the seats' picture up to date with the chamber.
    void drawSeatsOnScreen(const Geometry& geometry);
    // A seat's dot as a circle: filled in `colour`, or an empty ring (an invalid colour).
    static void drawDot(QPainter& painter, const QPointF& centre, double dot, const QColor& colour);
    // A seat's dot on the screen, of `colour` or empty (an invalid colour), `dot` in radius.
    void drawSeat(QPainter& painter, const QPointF& centre, double dot, const QColor& colour);

    apportion::Chamber m_chamber;
    apportion::ChamberLayout m_layout; // for m_chamber's total, laid out once per total
    apportion::PartyNames m_names;
    std::vector<int> m_chosen;
    // Each colour's dot at a radius, drawn once for the screen.
    std::map<std::pair<QRgb, double>, QPixmap> m_seatSprites;
    // The seats as last drawn on the screen, each place's colour (0 for an empty seat), and
    // the dots' radius.
    QPixmap m_canvas;
    std::vector<QRgb> m_canvasColours;
    double m_canvasDot = 0;
};
