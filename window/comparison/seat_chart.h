#pragma once

#include "core/comparison_table.h"

#include <QColor>
#include <QStringList>
#include <QWidget>

#include <vector>

class QLabel;
class SeatBar;

// The comparison as a picture: one horizontal bar for the votes and one per method, each split
// into the parties' shares in colours that viewers with a colour-vision deficiency tell
// apart, each part labelled with its seats (the votes' bar with its percent) where the label
// fits. A party under the threshold is hatched in the votes' bar. Each bar is a child of its own
// with a sentence for a screen reader; under the bars a legend gives each party's colour and name
// ("D’Hondt: 3, 2, 1, 1, 0 мандата", or with the parties' names once they have them: "D’Hondt:
// ГЕРБ-СДС 69, ПП-ДБ 37 мандата"). "Копирай картината" in its context menu puts the picture on the
// clipboard.
class SeatChart : public QWidget {
    Q_OBJECT

public:
    explicit SeatChart(QWidget* parent = nullptr);

    void showComparison(const apportion::MethodComparison& comparison);
    // The picture as it is drawn, for paper.
    QImage picture();
    // The picture for a slide or a document, as "Копирай картината" puts it on the clipboard:
    // `width` pixels wide whatever the screen, with a title giving the seat total and the legend.
    QImage pictureToPaste(int width = 1600) const;

    const std::vector<SeatBar*>& bars() const { return m_bars; }

    // The legend under the bars: on paper and on the clipboard. In the comparison window the
    // table's column heads carry the same colours beside the names.
    void setLegendShown(bool shown);

    // The parties' colours, the table's column heads use them too: twelve that stay apart under
    // the common colour-vision deficiencies, and the text colour that reads on each.
    static QColor partyColour(int party);
    static QColor textColour(int party);

protected:
    // The picture's menu in the picture's font, which follows the window's zoom.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void copyPicture();
    // Lays the picture out at this width and gives the height it then needs.
    int heightForWidthOf(int width);

    std::vector<SeatBar*> m_bars;
    QLabel* m_legend = nullptr; // each party's colour and name
    apportion::MethodComparison m_shown; // what the picture shows
};

// One bar of the picture: a caption, then the parties' parts side by side.
class SeatBar : public QWidget {
    Q_OBJECT

public:
    struct Part {
        double share = 0; // of the bar, 0 to 1
        QString label; // seats, or the percent of the votes
        bool hatched = false;
    };

    explicit SeatBar(QWidget* parent = nullptr);

    // `captions` are all the bars' captions: the bars start where the widest of them ends.
    void setBar(
        const QString& caption, const std::vector<Part>& parts, const QStringList& captions);
    // Where each party's part is drawn, in the bar's coordinates.
    QRect partRect(int party) const;
    // Whether a part's label was drawn: only where it fits.
    bool labelShown(int party) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect barArea() const;
    // In the bar's font, which follows the zoom.
    int captionWidth() const;

    QString m_caption;
    std::vector<Part> m_parts;
    QStringList m_captions;
};
