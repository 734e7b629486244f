#pragma once

#include <QObject>

#include <vector>

class QAbstractItemView;

// Scrolls a set of lists as one: scrolling any of them, by the wheel, its scroll bar or the
// keyboard, brings the others to the same first row. The lists must have rows of one height, so
// that the same scroll position is the same row in each.
class ScrollLink : public QObject {
    Q_OBJECT

public:
    explicit ScrollLink(const std::vector<QAbstractItemView*>& views, QObject* parent = nullptr);

    // Brings the last row of every list into view.
    void showLastRow();

private:
    void follow(int value);

    std::vector<QAbstractItemView*> m_views;
    bool m_following = false;
};
