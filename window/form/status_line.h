#pragma once

#include <QFontMetrics>
#include <QHash>
#include <QLabel>

// The line under the window's controls that says what the last action did, in words a class can
// read aloud. A report too long for one line in the window's font and zoom asks for a second
// line (the window grows by it, once), and one too long for two is drawn smaller, down to a
// limit, and only past that elided with the whole text in its tooltip. Its
// accessible name is the report, so a screen reader hears each new one as a change of name.
class StatusLine : public QLabel {
    Q_OBJECT

public:
    explicit StatusLine(QWidget* parent = nullptr);

    void report(const QString& text);
    const QString& reported() const { return m_reported; }
    // 1, or 2 once a report needed a second line.
    int lines() const { return m_lines; }
    // On two lines, the width and height the report takes wrapped in the line's width.
    QSize sizeHint() const override;

signals:
    void linesChanged(int lines);

protected:
    // One line of plain text at a point: a label's own painting lays its text out in a
    // rectangle on every repaint, and the line changes with every seat.
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // A report given before the window was first shown is fitted again once it is: only then
    // may it take a second line.
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Fits the report to the width, from the window's font.
    void fit();

    QString m_reported;
    int m_lines = 1;
    bool m_fitting = false;
    QFont m_measuredFont; // the window's font, and its metrics, kept while it stays
    QFontMetrics m_metrics { QFont() };
    // Each character's advance in that font: their sum, with half a pixel a letter for the
    // rounding, bounds a report's width, so a report that surely fits is not laid out twice.
    QHash<QChar, int> m_advances;
};
