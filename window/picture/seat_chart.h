#pragma once

#include "core/comparison/comparison_table.h"

#include <QColor>
#include <QStringList>
#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class SeatBar;

// The comparison as a picture: one horizontal bar for the votes and one per method, each split
// into the parties' shares in colours that viewers with a colour-vision deficiency tell
// apart, each part labelled with its seats (the votes' bar with its percent) where the label
// fits. A party under the threshold is hatched in the votes' bar, and the votes of parties not
// listed close it, dotted and labelled, with an entry of their own in the legend. Each bar is a
// child of its own
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
    // The width at which every part's label fits inside its part, or at least beside its
    // neighbours' in one row under the bar.
    int roomyWidth() const;

    // The legend under the bars: on paper and on the clipboard. In the comparison window the
    // table's column heads carry the same colours beside the names.
    void setLegendShown(bool shown);

    // The parties' colours, the table's column heads use them too: twelve that stay apart under
    // the common colour-vision deficiencies, and the text colour that reads on each.
    static QColor partyColour(int party);
    static QColor textColour(int party);

    // Lays the picture out at this width, its height what it then needs, and gives that height.
    int heightForWidthOf(int width);

protected:
    // The picture's menu in the picture's font, which follows the window's zoom.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void copyPicture();

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
        bool others = false; // the votes of parties not listed, after the parties' parts
    };

    explicit SeatBar(QWidget* parent = nullptr);

    // `captions` are all the bars' captions: the bars start where the widest of them ends.
    void setBar(
        const QString& caption, const std::vector<Part>& parts, const QStringList& captions);
    // Where each party's part is drawn, in the bar's coordinates.
    QRect partRect(int party) const;
    // Whether a part's label is drawn inside it: where it fits.
    bool labelShown(int party) const;
    // Where each part's label is drawn: inside the part where it fits, else in a row under the
    // bar with a leader to the part. Empty for a part without a label.
    QRect labelRect(int party) const;

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    // The width that sets every label side by side, each as wide as the widest.
    int roomyWidth() const;
    // The bar, and under it as many rows as the labels set beside their parts take.
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The bar itself, at the top: the rows of labels beside their parts go under it.
    QRect barArea(int width) const;
    QRect partRect(int party, int width) const;
    // Each party's label rectangle at this width, and how many rows under the bar they take.
    std::vector<QRect> labelRects(int width, int* rows = nullptr) const;
    int barHeight() const;
    // In the bar's font, which follows the zoom.
    int captionWidth() const;

    QString m_caption;
    std::vector<Part> m_parts;
    QStringList m_captions;
    // The widest caption's width, in the font it was measured in.
    mutable std::optional<int> m_captionWidth;
    mutable QFont m_captionFont;
    // The height last measured for a width, in a font, of the parts as they are.
    struct MeasuredHeight {
        int width = 0;
        QFont font;
        int height = 0;
    };
    mutable std::optional<MeasuredHeight> m_heightFor;
};
