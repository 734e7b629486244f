#pragma once

#include <QLineEdit>

// A party's name box. While it has no focus, a name longer than the box shows its start and
// "…" where it is cut, so a class never reads a shortened name as the whole one; with the focus
// it edits the whole name as any text box does.
class NameBox : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

    // The text as drawn: the whole name, or its start and "…" while the box has no focus.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The room for the text, as the line edit lays it out.
    QRect textArea() const;
};
