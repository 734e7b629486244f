#include "window/comparison_window.h"

#include "window/comparison_model.h"
#include "window/table_output.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr double smallestFontScale = 0.4; // of the zoomed font, before scroll bars take over
constexpr int fitAttempts = 6;

} // namespace

ComparisonWindow::ComparisonWindow(QWidget* window)
    : QWidget(window, Qt::Window)
    , m_window(window)
    , m_model(new ComparisonModel(this))
    , m_legend(new QLabel(this))
    , m_table(new QTableView(this))
{
    setObjectName(QStringLiteral("ComparisonWindow"));
    setWindowTitle(QStringLiteral("Сравнение на методите"));

    m_legend->setObjectName(QStringLiteral("ComparisonLegend"));
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

    auto* close = new QAction(QStringLiteral("Затвори"), this);
    QList<QKeySequence> closeKeys { QKeySequence(Qt::Key_Escape),
        QKeySequence(Qt::CTRL | Qt::Key_W) };
    for (const auto& key : QKeySequence::keyBindings(QKeySequence::Close)) {
        if (!closeKeys.contains(key))
            closeKeys << key;
    }
    close->setShortcuts(closeKeys);
    close->setShortcutContext(Qt::WindowShortcut);
    addAction(close);
    connect(close, &QAction::triggered, this, &QWidget::close);
}

void ComparisonWindow::showComparison(apportion::ComparisonTable table)
{
    m_model->setTable(std::move(table));
    fitToContents();
}

void ComparisonWindow::setZoomedFont(const QFont& font)
{
    m_zoomedFont = font;
    fitToContents();
}

QFont ComparisonWindow::tableFont() const { return m_table->font(); }

void ComparisonWindow::applyFont(const QFont& font)
{
    setFont(font);
    // The headings take the platform's font for headings unless given one.
    m_table->setFont(font);
    m_table->horizontalHeader()->setFont(font);
    m_table->verticalHeader()->setFont(font);
    m_table->resizeColumnsToContents();
    m_table->resizeRowsToContents();
    m_table->updateGeometry();
}

QSize ComparisonWindow::neededSize(const QFont& font)
{
    applyFont(font);
    const QSize table = m_table->sizeHint();
    const QMargins margins = layout()->contentsMargins();
    const int width = table.width() + margins.left() + margins.right();
    // The heading wraps to the table's width.
    const int legend = m_legend->heightForWidth(table.width());
    const int height
        = margins.top() + legend + layout()->spacing() + table.height() + margins.bottom();
    return { width, height };
}

QRect ComparisonWindow::availableArea() const
{
    const QScreen* where = m_window && m_window->screen() ? m_window->screen() : screen();
    return where ? where->availableGeometry() : QRect(QPoint(0, 0), sizeHint());
}

QSize ComparisonWindow::frameExtra() const
{
    // The window system's frame, once it has one; the main window's until then.
    if (isVisible())
        return frameGeometry().size() - size();
    return m_window ? m_window->frameGeometry().size() - m_window->size() : QSize();
}

void ComparisonWindow::fitToContents()
{
    if (m_zoomedFont == QFont())
        m_zoomedFont = m_window ? m_window->font() : font();
    const QSize room = availableArea().size() - frameExtra();

    // The zoomed font where all of the table fits the screen; else the largest smaller one
    // that does, found in a few steps since the table does not grow exactly with the font.
    QFont font = m_zoomedFont;
    QSize needed = neededSize(font);
    const qreal zoomed = font.pointSizeF();
    for (int attempt = 0; attempt < fitAttempts; ++attempt) {
        if (needed.width() <= room.width() && needed.height() <= room.height())
            break;
        const qreal scale = std::min(static_cast<qreal>(room.width()) / needed.width(),
            static_cast<qreal>(room.height()) / needed.height());
        const qreal size = std::max(zoomed * smallestFontScale, font.pointSizeF() * scale * 0.97);
        if (size >= font.pointSizeF())
            break;
        font.setPointSizeF(size);
        needed = neededSize(font);
    }
    m_legend->setMaximumWidth(needed.width());
    setMinimumSize(0, 0);
    resize(needed.boundedTo(room));
    keepInside();
}

void ComparisonWindow::keepInside()
{
    const QRect area = availableArea();
    const QSize frame = frameGeometry().size().expandedTo(size() + frameExtra());
    const QPoint at = frameGeometry().topLeft();
    const QPoint inside(
        std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - frame.width())),
        std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - frame.height())));
    if (inside != at)
        move(inside);
}

void ComparisonWindow::placeBeside(const QWidget& window)
{
    // Beside the main window where the screen has room, else below it; never off the screen.
    const QRect frame = window.frameGeometry();
    const QRect area = availableArea();
    const QSize own = size() + frameExtra();
    QPoint place(frame.right() + 1, frame.top());
    if (place.x() + own.width() > area.right() + 1)
        place = QPoint(frame.left(), frame.bottom() + 1);
    move(place);
    keepInside();
}

void ComparisonWindow::bringForward()
{
    show();
    keepInside();
    raise();
    activateWindow();
}
