#include "window/lessons/lesson_dialog.h"

#include "core/comparison/vote_threshold.h"
#include "lesson/lesson_file.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>
#include <limits>

LessonDialog::LessonDialog(const std::string& title, const std::string& source,
    const apportion::VoteCount& count, Part focus, QWidget* parent)
    : QDialog(parent)
    , m_title(new QLineEdit(QString::fromStdString(title), this))
    , m_source(new QLineEdit(QString::fromStdString(source), this))
    , m_threshold(new QDoubleSpinBox(this))
    , m_others(new QSpinBox(this))
{
    setObjectName(QStringLiteral("LessonDialog"));
    setWindowTitle(QStringLiteral("Урокът"));
    m_title->setObjectName(QStringLiteral("LessonTitle"));
    m_title->setPlaceholderText(QStringLiteral("например 51-во Народно събрание, 2024 г."));
    m_source->setObjectName(QStringLiteral("LessonSource"));
    m_source->setPlaceholderText(QStringLiteral("например Централна избирателна комисия"));

    // The same ranges and forms as the lesson file and the comparison: a point, one decimal.
    m_threshold->setObjectName(QStringLiteral("LessonThreshold"));
    m_threshold->setLocale(QLocale::c());
    m_threshold->setRange(0, apportion::largestLessonThreshold);
    m_threshold->setSingleStep(0.5);
    m_threshold->setDecimals(1);
    m_threshold->setSuffix(QStringLiteral(" %"));
    m_threshold->setValue(std::clamp(count.threshold, 0.0, apportion::largestLessonThreshold));
    m_threshold->setToolTip(QStringLiteral(
        "Партия под този дял от всички гласове (на партиите и другите) не получава мандати; "
        "партия точно на прага минава."));
    m_others->setObjectName(QStringLiteral("LessonOtherVotes"));
    m_others->setLocale(QLocale::c());
    m_others->setRange(0, std::numeric_limits<int>::max());
    m_others->setValue(static_cast<int>(
        std::clamp<long long>(count.otherVotes, 0, std::numeric_limits<int>::max())));
    m_others->setToolTip(QStringLiteral("Гласовете за партии и кандидати, които не са в "
                                        "таблицата: броят се в основата на прага, без мандати."));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Заглавие"), m_title);
    form->addRow(QStringLiteral("&Източник"), m_source);
    form->addRow(QStringLiteral("&Праг"), m_threshold);
    form->addRow(QStringLiteral("&Други гласове"), m_others);
    form->addRow(buttons);
    // Wide enough for a title such as an election's whole name.
    m_title->setMinimumWidth(m_title->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 24);

    QWidget* first = focus == Part::Title ? static_cast<QWidget*>(m_title) : m_threshold;
    first->setFocus();
}

std::string LessonDialog::title() const { return m_title->text().simplified().toStdString(); }

std::string LessonDialog::source() const { return m_source->text().simplified().toStdString(); }

apportion::VoteCount LessonDialog::count() const
{
    return { m_threshold->value(), m_others->value() };
}
