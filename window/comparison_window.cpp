#include "window/comparison_window.h"

#include "window/comparison_model.h"
#include "window/table_output.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

ComparisonWindow::ComparisonWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_model(new ComparisonModel(this))
    , m_legend(new QLabel(this))
    , m_table(new QTableView(this))
{
    setObjectName(QStringLiteral("ComparisonWindow"));
    setWindowTitle(QStringLiteral("Сравнение на методите"));

    m_legend->setText(QStringLiteral(
        "Мандатите на всяка партия при всеки метод за гласовете и броя мандати в главния "
        "прозорец, с дела им в проценти.\n▲ и ▼: повече или по-малко мандати, отколкото дава "
        "D’Hondt. Индекс на Галахър: колкото по-малък, толкова по-пропорционално."));
    m_legend->setWordWrap(true);

    m_table->setObjectName(QStringLiteral("ComparisonTable"));
    m_table->setModel(m_model);
    m_table->setAccessibleName(QStringLiteral("Сравнение на методите"));
    m_table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_legend);
    layout->addWidget(m_table);

    auto* copy = new QAction(QStringLiteral("Копирай"), this);
    copy->setShortcuts(QKeySequence::keyBindings(QKeySequence::Copy));
    copy->setShortcutContext(Qt::WindowShortcut);
    addAction(copy);
    connect(copy, &QAction::triggered, this, [this] { copyComparison(m_model->table()); });
}

void ComparisonWindow::showComparison(apportion::ComparisonTable table)
{
    m_model->setTable(std::move(table));
}

void ComparisonWindow::setZoomedFont(const QFont& font)
{
    setFont(font);
    // The headings take the platform's font for headings unless given one.
    m_table->horizontalHeader()->setFont(font);
    m_table->verticalHeader()->setFont(font);
    fitToContents();
}

void ComparisonWindow::fitToContents()
{
    m_table->resizeColumnsToContents();
    m_table->resizeRowsToContents();
    m_table->updateGeometry();
    m_legend->setMaximumWidth(m_table->sizeHint().width());
    // The whole table where the screen has room (adjustSize would stop at two thirds of it);
    // scroll bars where it has not.
    QSize size = sizeHint();
    if (const QScreen* where = screen())
        size = size.boundedTo(where->availableGeometry().size());
    resize(size);
}

void ComparisonWindow::placeBeside(const QWidget& window)
{
    // Beside the main window where the screen has room, else below it; never off the screen.
    const QRect frame = window.frameGeometry();
    const QRect screen = window.screen() ? window.screen()->availableGeometry() : frame;
    QPoint place(frame.right() + 1, frame.top());
    if (place.x() + frameGeometry().width() > screen.right())
        place = QPoint(frame.left(), frame.bottom() + 1);
    place.setX(std::clamp(place.x(), screen.left(),
        std::max(screen.left(), screen.right() - frameGeometry().width())));
    place.setY(std::clamp(place.y(), screen.top(),
        std::max(screen.top(), screen.bottom() - frameGeometry().height())));
    move(place);
}
