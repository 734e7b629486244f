#include "window/comparison_window.h"

#include "window/comparison_model.h"
#include "window/table_output.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

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
    fitToContents();
}

void ComparisonWindow::fitToContents()
{
    m_table->resizeColumnsToContents();
    m_table->resizeRowsToContents();
    const int width = m_table->verticalHeader()->width() + m_table->horizontalHeader()->length()
        + 2 * m_table->frameWidth();
    const int height = m_table->horizontalHeader()->height() + m_table->verticalHeader()->length()
        + 2 * m_table->frameWidth();
    m_table->setMinimumSize(width, height);
    m_legend->setMaximumWidth(width);
    adjustSize();
}
