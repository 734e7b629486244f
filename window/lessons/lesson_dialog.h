#pragma once

#include <QDialog>

#include <string>

namespace apportion {
struct VoteCount;
}

class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;

// The lesson's own data, asked for from the main window: its title and source, and the threshold
// and other votes that every view of the lesson obeys. It opens with the lesson's values and
// the focus in the part asked for; accepted, it holds the values chosen.
class LessonDialog : public QDialog {
    Q_OBJECT

public:
    enum class Part { Title, VoteCount };

    LessonDialog(const std::string& title, const std::string& source,
        const apportion::VoteCount& count, Part focus, QWidget* parent);

    std::string title() const;
    std::string source() const;
    apportion::VoteCount count() const;

private:
    QLineEdit* m_title = nullptr;
    QLineEdit* m_source = nullptr;
    QDoubleSpinBox* m_threshold = nullptr;
    QSpinBox* m_others = nullptr;
};
