#pragma once

#include <QFont>
#include <QHash>
#include <QLabel>
#include <QString>

// A label of plain text wrapped to its width, whose text changes at every keystroke (the
// comparison's notes). A QLabel lays such a text out five times to work out its size hints and
// once more for each height asked for; this label lays it out once for each width, keeps what
// it measured until its text or font changes, and takes its hints from that: as wide as 80
// average characters (or its maximum width), as high as the text stands at its width (at that
// width before it is shown); at the least a line high and twelve characters wide.
class WrappingLabel : public QLabel {
public:
    explicit WrappingLabel(QWidget* parent = nullptr);

    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    mutable QString m_measuredText;
    mutable QFont m_measuredFont;
    mutable QHash<int, int> m_heights; // by width, for m_measuredText in m_measuredFont
};
