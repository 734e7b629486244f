#include "window/comparison/comparison_window.h"

#include "core/numbers/number_text.h"

#include "window/comparison/cell_delegate.h"
#include "window/comparison/comparison_model.h"
#include "window/comparison/wrapping_label.h"
#include "window/output/table_output.h"
#include "window/picture/seat_chart.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr double smallestFontScale = 0.4; // of the zoomed font, before scroll bars take over
constexpr int fitAttempts = 6;
constexpr double largestThreshold = 20; // percent
// Changes to one box closer together than this are one burst of typing, undone at once.
constexpr qint64 burstMilliseconds = 1500;

// Opens the focused part's own menu, as the Menu key does, where the platform does not.
void openFocusedMenu(QWidget* window)
{
    QWidget* focused = window->focusWidget();
    if (!focused)
        return;
    // A view takes its menu through its viewport.
    QWidget* target = focused;
    if (auto* view = qobject_cast<QAbstractScrollArea*>(focused))
        target = view->viewport();
    // The middle of what shows of it, where the page scrolls part of it out of view.
    const QRect shown = target->visibleRegion().boundingRect();
    const QPoint at
        = shown.isEmpty() ? QPoint(target->width() / 2, target->height() / 2) : shown.center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
}

} // namespace

ComparisonWindow::ComparisonWindow(QWidget* window)
    : QWidget(window, Qt::Window)
    , m_window(window)
    , m_model(new ComparisonModel(this))
    , m_legend(new WrappingLabel(this))
    , m_threshold(new QDoubleSpinBox(this))
    , m_others(new QSpinBox(this))
    , m_said(new QLabel(this))
    , m_table(new QTableView(this))
    , m_notes(new WrappingLabel(this))
    , m_quota(new QLabel(this))
    , m_working(new QTableWidget(this))
    , m_chart(new SeatChart(this))
    , m_scroll(new QScrollArea(this))
    , m_page(new QWidget)
{
    setObjectName(QStringLiteral("ComparisonWindow"));
    setWindowTitle(QStringLiteral("Сравнение на методите"));

    m_legend->setObjectName(QStringLiteral("ComparisonLegend"));
    m_legend->setWordWrap(true);

    // 0 % at start, so the comparison reads as without one until it is changed. A value past the
    // largest can be typed, so that it is clamped and said rather than silently cut ("25" would
    // stop at "2"); the box writes its number as the notes do, with a point.
    m_threshold->setObjectName(QStringLiteral("Threshold"));
    m_threshold->setLocale(QLocale::c());
    m_threshold->setRange(0, 100);
    m_threshold->setSingleStep(0.5);
    m_threshold->setDecimals(1);
    m_threshold->setSuffix(QStringLiteral(" %"));
    m_threshold->setAccessibleName(QStringLiteral("Праг"));
    m_threshold->setToolTip(QStringLiteral(
        "Партия под този дял от всички гласове (на партиите и другите) не получава мандати "
        "при нито един метод; партия точно на прага минава. За Народното събрание на България "
        "прагът е 4 %."));
    m_threshold->setAccessibleDescription(m_threshold->toolTip());
    auto* thresholdLabel = new QLabel(QStringLiteral("Праг"), this);
    thresholdLabel->setBuddy(m_threshold);
    connect(m_threshold, &QDoubleSpinBox::valueChanged, this, &ComparisonWindow::chooseThreshold);
    // Votes for parties and candidates not listed: they count in the threshold's base and the
    // shares, and take no seat.
    m_others->setObjectName(QStringLiteral("OtherVotes"));
    m_others->setLocale(QLocale::c());
    m_others->setRange(0, std::numeric_limits<int>::max());
    m_others->setAccessibleName(QStringLiteral("Други гласове"));
    m_others->setToolTip(QStringLiteral(
        "Гласовете за партии и кандидати, които не са в таблицата: броят се в основата на "
        "прага и в дела на всяка партия, но не получават мандати."));
    m_others->setAccessibleDescription(m_others->toolTip());
    auto* othersLabel = new QLabel(QStringLiteral("Други гласове"), this);
    othersLabel->setBuddy(m_others);
    connect(m_others, &QSpinBox::valueChanged, this, [this] { chooseCount(m_others); });
    // What the last action here did: a threshold clamped, the comparison copied.
    m_said->setObjectName(QStringLiteral("ComparisonSaid"));

    m_notes->setObjectName(QStringLiteral("ComparisonNotes"));
    m_notes->setWordWrap(true);
    m_quota->setObjectName(QStringLiteral("QuotaLine"));
    m_working->setObjectName(QStringLiteral("QuotaWorking"));
    m_working->setAccessibleName(QStringLiteral("Hare–Niemeyer стъпка по стъпка"));
    m_working->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_working->setWordWrap(false);
    m_working->horizontalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Measured by applyFont, once a change: a header on ResizeToContents would measure again.
    m_working->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_working->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_working->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_working->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // As large as its cells and no larger: the picture beside it takes the rest of the width.
    m_working->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);

    m_table->setObjectName(QStringLiteral("ComparisonTable"));
    m_table->setModel(m_model);
    // Both tables repaint every cell at each keystroke: their lines are laid out once.
    auto* cells = new CellDelegate(this);
    m_table->setItemDelegate(cells);
    m_working->setItemDelegate(cells);
    m_table->setAccessibleName(QStringLiteral("Сравнение на методите"));
    m_table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);

    // The parts stand in a page that scrolls where even the smallest font leaves it larger than
    // the screen.
    m_page->setObjectName(QStringLiteral("ComparisonPage"));
    m_scroll->setObjectName(QStringLiteral("ComparisonScroll"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setFocusPolicy(Qt::NoFocus); // Tab walks the parts, not the page
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(m_page);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_scroll);
    auto* layout = new QVBoxLayout(m_page);
    layout->addWidget(m_legend);
    auto* thresholdRow = new QHBoxLayout;
    thresholdRow->addWidget(thresholdLabel);
    thresholdRow->addWidget(m_threshold);
    thresholdRow->addSpacing(thresholdLabel->fontMetrics().horizontalAdvance(QLatin1Char('M')));
    thresholdRow->addWidget(othersLabel);
    thresholdRow->addWidget(m_others);
    thresholdRow->addWidget(m_said, 1);
    layout->addLayout(thresholdRow);
    layout->addWidget(m_table);
    layout->addWidget(m_notes);
    // Hare–Niemeyer's working beside the picture, so that the window stays wider than tall.
    m_below = new QGridLayout;
    auto* working = new QVBoxLayout;
    working->addWidget(m_quota);
    working->addWidget(m_working);
    working->addStretch();
    m_below->addLayout(working, 0, 0);
    m_below->addWidget(m_chart, 0, 1);
    m_below->setColumnStretch(1, 1);
    layout->addLayout(m_below);

    auto* copy = new QAction(QStringLiteral("Копирай"), this);
    copy->setShortcuts(QKeySequence::keyBindings(QKeySequence::Copy));
    copy->setShortcutContext(Qt::WindowShortcut);
    addAction(copy);
    connect(copy, &QAction::triggered, this, [this] {
        copyComparison(m_model->table());
        m_said->setText(QStringLiteral("Сравнението е копирано (%1 мандата): поставете го в "
                                       "електронна таблица.")
                            .arg(QString::fromStdString(m_model->table().seatTotal)));
    });
    // Tab walks the window's parts (the threshold, the table, the working, the picture) rather
    // than the cells, which the arrow keys walk; each part's menu opens from the keyboard too.
    for (QAbstractItemView* view :
        std::initializer_list<QAbstractItemView*> { m_table, m_working }) {
        view->setTabKeyNavigation(false);
        view->addAction(copy);
        view->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
    m_chart->setFocusPolicy(Qt::StrongFocus);
    auto* menu = new QAction(this);
    menu->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    menu->setShortcutContext(Qt::WindowShortcut);
    addAction(menu);
    connect(menu, &QAction::triggered, this, [this] { openFocusedMenu(this); });

    // Undo and redo take back or do again the lesson's last step, whatever it was and in
    // whichever window, and are told here; the boxes leave the keys to them rather than undo
    // their own typing, which the lesson's history already holds as one step.
    auto* undo = new QAction(QStringLiteral("Отмени"), this);
    undo->setShortcuts(QKeySequence::keyBindings(QKeySequence::Undo));
    undo->setShortcutContext(Qt::WindowShortcut);
    addAction(undo);
    connect(undo, &QAction::triggered, this, [this] { emit historyAsked(false); });
    auto* redo = new QAction(QStringLiteral("Повтори"), this);
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& key :
        { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y) }) {
        if (!redoKeys.contains(key))
            redoKeys << key;
    }
    redo->setShortcuts(redoKeys);
    redo->setShortcutContext(Qt::WindowShortcut);
    addAction(redo);
    connect(redo, &QAction::triggered, this, [this] { emit historyAsked(true); });
    for (QAbstractSpinBox* box :
        std::initializer_list<QAbstractSpinBox*> { m_threshold, m_others }) {
        box->installEventFilter(this);
        for (QLineEdit* edit : box->findChildren<QLineEdit*>())
            edit->installEventFilter(this);
    }

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

void ComparisonWindow::showComparison(const apportion::MethodComparison& comparison)
{
    apportion::ComparisonTable table = apportion::MakeComparisonTable(comparison);
    QString heading = QStringLiteral(
        "Мандатите на всяка партия при всеки метод, с дела им в проценти. ▲ и ▼: повече или "
        "по-малко мандати от D’Hondt. Индекс на Галахър: колкото по-малък, толкова "
        "по-пропорционално.");
    if (comparison.threshold > 0) {
        heading
            += QStringLiteral("\nПраг: %1 %.")
                   .arg(QString::fromStdString(apportion::FormatShortest(comparison.threshold)));
    }
    m_legend->setText(heading);
    QStringList notes;
    for (const auto& note : table.notes)
        notes << QString::fromStdString(note);
    m_notes->setText(notes.join(QLatin1Char('\n')));
    m_notes->setVisible(!notes.isEmpty());

    // Without a quota there is no working to show, only why.
    const bool worked = !table.workingRows.empty();
    m_quota->setText(worked ? QStringLiteral("Hare–Niemeyer стъпка по стъпка. %1")
                                  .arg(QString::fromStdString(table.quotaLine))
                            : QString::fromStdString(table.workingSentence));
    m_working->setVisible(worked);
    m_working->setToolTip(QString::fromStdString(table.workingSentence));
    m_working->setAccessibleDescription(m_working->toolTip());
    // The steps are the rows' headings, the parties the columns', as in the table above.
    const int columns = std::max(0, static_cast<int>(table.workingHeader.size()) - 1);
    m_working->setColumnCount(columns);
    m_working->setRowCount(static_cast<int>(table.workingRows.size()));
    // Heads cut as the table's are, each read whole in its tooltip and by a screen reader.
    for (int c = 0; c < columns; ++c) {
        const QString party
            = QString::fromStdString(table.workingHeader[static_cast<std::size_t>(c) + 1]);
        QTableWidgetItem* head = m_working->horizontalHeaderItem(c);
        if (!head) {
            head = new QTableWidgetItem;
            m_working->setHorizontalHeaderItem(c, head);
        }
        head->setText(ComparisonModel::shortHeading(party));
        head->setToolTip(party);
        head->setData(Qt::AccessibleTextRole, party);
    }
    QStringList steps;
    for (int r = 0; r < m_working->rowCount(); ++r) {
        const auto& row = table.workingRows[static_cast<std::size_t>(r)];
        steps << QString::fromStdString(row.front());
        for (int c = 0; c < columns && c + 1 < static_cast<int>(row.size()); ++c) {
            const QString cell = QString::fromStdString(row[static_cast<std::size_t>(c) + 1]);
            if (QTableWidgetItem* shown = m_working->item(r, c)) {
                shown->setText(cell);
                continue;
            }
            auto* item = new QTableWidgetItem(cell);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_working->setItem(r, c, item);
        }
    }
    m_working->setVerticalHeaderLabels(steps);
    m_chart->showComparison(comparison);
    // The window is fitted again, font and all, only where its parts change their shape: the
    // parties, the working's steps or the heading, or the screen; a note more or less takes its
    // lines within the page. A keystroke in a
    // vote box changes cells: they change in place, a column widening where a cell outgrows it.
    const Shape shape { static_cast<int>(table.rows.size()), static_cast<int>(table.header.size()),
        m_working->rowCount(), m_working->columnCount(), heading, availableArea().size() };
    m_model->setTable(std::move(table));
    if (shape != m_fittedShape || !m_fitted.isValid()) {
        m_fittedShape = shape;
        fitToContents();
    } else {
        keepCellsWhole();
    }
}

void ComparisonWindow::keepCellsWhole()
{
    bool widened = false;
    for (QTableView* view : { m_table, static_cast<QTableView*>(m_working) }) {
        for (int column = 0; column < view->model()->columnCount(); ++column) {
            // The heads, the parties' names, are as they were at the last fit.
            const int needed
                = static_cast<const QAbstractItemView*>(view)->sizeHintForColumn(column);
            if (needed > view->columnWidth(column)) {
                view->setColumnWidth(column, needed);
                widened = true;
            }
        }
    }
    if (!widened)
        return;
    // The table is never squeezed behind scroll bars of its own: the page takes its width, and
    // scrolls within the window where the window cannot grow.
    const int grown = m_table->sizeHint().width() - m_table->minimumWidth();
    m_table->setMinimumWidth(m_table->sizeHint().width());
    m_table->updateGeometry();
    m_working->updateGeometry();
    if (grown > 0 && m_page->minimumWidth() > 0)
        m_page->setMinimumWidth(m_page->minimumWidth() + grown);
}

apportion::VoteCount ComparisonWindow::count() const
{
    return { m_threshold->value(), m_others->value() };
}

void ComparisonWindow::setCount(const apportion::VoteCount& count)
{
    const QSignalBlocker quietThreshold(m_threshold);
    const QSignalBlocker quietOthers(m_others);
    // A box the user is typing into is written only where it holds another value: writing it
    // again would rewrite its text under the cursor ("4" to "4.0 %" before the ".5").
    const double threshold = std::clamp(count.threshold, 0.0, largestThreshold);
    if (m_threshold->value() != threshold)
        m_threshold->setValue(threshold);
    const auto others = static_cast<int>(
        std::clamp<long long>(count.otherVotes, 0, std::numeric_limits<int>::max()));
    if (m_others->value() != others)
        m_others->setValue(others);
}

void ComparisonWindow::chooseThreshold(double percent)
{
    if (percent > largestThreshold) {
        m_said->setText(QStringLiteral("Прагът е най-много %1 %: %2 % е намален до %1 %.")
                            .arg(largestThreshold)
                            .arg(percent));
        m_threshold->setValue(largestThreshold); // reports the clamped value in turn
        return;
    }
    chooseCount(m_threshold);
}

void ComparisonWindow::chooseCount(QObject* box)
{
    const bool continuing = m_lastChanged == box && m_sinceChange.isValid()
        && m_sinceChange.elapsed() < burstMilliseconds;
    m_lastChanged = box;
    m_sinceChange.start();
    emit countChosen(count(), continuing);
}

void ComparisonWindow::say(const QString& text) { m_said->setText(text); }

bool ComparisonWindow::focusNextPrevChild(bool next)
{
    const bool moved = QWidget::focusNextPrevChild(next);
    // The part Tab reaches comes into view where the page scrolls.
    if (moved && focusWidget() && m_page->isAncestorOf(focusWidget()))
        m_scroll->ensureWidgetVisible(focusWidget());
    return moved;
}

bool ComparisonWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)
            || key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y)) {
            event->ignore();
            return true; // not the box's: the window's shortcut takes it
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ComparisonWindow::setPlainPointSize(qreal points) { m_plainSize = points; }

void ComparisonWindow::setZoomedFont(const QFont& font)
{
    m_zoomedFont = font;
    m_fittedSize = 0; // a new zoom fits afresh
    m_fitted = QSize();
    m_fittedShape = {};
    fitToContents();
}

QFont ComparisonWindow::tableFont() const { return m_table->font(); }

void ComparisonWindow::applyFont(const QFont& font)
{
    // Typing a digit changes the cells, not the font: the fonts are set, and the rows (whose
    // height is one or two lines whatever their numbers) measured, only when it changes.
    const bool newFont = font != m_table->font() || font != QWidget::font()
        || m_table->model()->rowCount() != m_measuredRows;
    if (newFont) {
        setFont(font);
        // The headings take the platform's font for headings unless given one.
        for (QWidget* child : std::initializer_list<QWidget*> { m_table,
                 m_table->horizontalHeader(), m_table->verticalHeader(), m_working,
                 m_working->horizontalHeader(), m_working->verticalHeader(), m_chart, m_notes,
                 m_quota, m_threshold, m_others, m_said })
            child->setFont(font);
        for (SeatBar* bar : m_chart->bars())
            bar->setFont(font);
    }
    m_table->resizeColumnsToContents();
    m_working->resizeColumnsToContents();
    if (newFont) {
        m_table->resizeRowsToContents();
        m_working->resizeRowsToContents();
        m_measuredRows = m_table->model()->rowCount();
    }
    // The table is never squeezed behind scroll bars of its own: the page scrolls instead.
    m_table->setMinimumWidth(m_table->sizeHint().width());
    m_table->updateGeometry();
    m_working->updateGeometry();
}

QSize ComparisonWindow::neededSize(const QFont& font)
{
    applyFont(font);
    // Every part at its size hint, one under another, the working beside the picture; the
    // heading and the notes wrap to the width that takes.
    QLayout* layout = m_page->layout();
    const int spacing = layout->spacing();
    const QMargins margins = layout->contentsMargins();
    const QSize working = m_working->sizeHint();
    const QSize quota = m_quota->sizeHint();
    const QSize chart = m_chart->sizeHint();
    const int workingWidth = std::max(working.width(), quota.width());
    const int workingHeight = quota.height() + spacing + working.height();
    int width = std::max(m_table->sizeHint().width(), workingWidth + spacing + chart.width());
    // Beside the working where the picture then has room for every label in its part; under
    // it, as wide as the window, where the working is wide (many parties).
    const bool under = width - workingWidth - spacing < m_chart->roomyWidth();
    if (under)
        width = std::max({ m_table->sizeHint().width(), workingWidth, chart.width() });
    placeChart(under);
    m_legend->setMaximumWidth(width);
    m_notes->setMaximumWidth(width);
    const int chartWidth = under ? width : width - workingWidth - spacing;
    const int chartHeight = m_chart->heightForWidth(chartWidth);
    int height = m_legend->heightForWidth(width) + spacing + m_threshold->sizeHint().height()
        + spacing + m_table->sizeHint().height() + spacing
        + (under ? workingHeight + spacing + chartHeight : std::max(workingHeight, chartHeight));
    if (!m_notes->text().isEmpty())
        height += m_notes->heightForWidth(width) + spacing;
    // The layout's own measure where it asks for more: a style's spacing between the grid's
    // rows, say, that the sum above leaves out.
    const int outerWidth = width + margins.left() + margins.right();
    layout->invalidate();
    const int laidOut = layout->hasHeightForWidth() ? layout->totalHeightForWidth(outerWidth)
                                                    : layout->totalSizeHint().height();
    return { outerWidth, std::max(height + margins.top() + margins.bottom(), laidOut) };
}

void ComparisonWindow::placeChart(bool under)
{
    if (under == (m_below->rowCount() > 1 && m_below->itemAtPosition(1, 0)))
        return;
    m_below->removeWidget(m_chart);
    if (under)
        m_below->addWidget(m_chart, 1, 0, 1, 2);
    else
        m_below->addWidget(m_chart, 0, 1);
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
    // that does, found in a few steps since the table does not grow exactly with the font. A
    // keystroke changes the cells a little: the font the last fit found is tried first, and the
    // zoomed one again only where that leaves much of the screen unused.
    const qreal zoomed = m_zoomedFont.pointSizeF();
    QFont font = m_zoomedFont;
    if (m_fittedSize > 0 && m_fittedSize < zoomed)
        font.setPointSizeF(m_fittedSize);
    QSize needed = neededSize(font);
    if (font != m_zoomedFont && needed.width() < room.width() * 0.85
        && needed.height() < room.height() * 0.85) {
        font = m_zoomedFont;
        needed = neededSize(font);
    }
    for (int attempt = 0; attempt < fitAttempts; ++attempt) {
        if (needed.width() <= room.width() && needed.height() <= room.height())
            break;
        const qreal scale = std::min(static_cast<qreal>(room.width()) / needed.width(),
            static_cast<qreal>(room.height()) / needed.height());
        // Never smaller than the main window's text at 100 %: read from the back of a room
        // before it is seen whole, the rest is scrolled to.
        const qreal smallest
            = m_plainSize > 0 ? std::min(zoomed, m_plainSize) : zoomed * smallestFontScale;
        const qreal size = std::max(smallest, font.pointSizeF() * scale * 0.97);
        if (size >= font.pointSizeF())
            break;
        font.setPointSizeF(size);
        needed = neededSize(font);
    }
    m_fittedSize = font.pointSizeF();
    setMinimumSize(0, 0);
    // Larger than the screen: the page keeps its width, takes the height its parts need at it,
    // and the window scrolls it, with room for the scroll bar beside or under the page where
    // the other side still fits.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scroll);
    const bool tall = needed.height() + bar > room.height();
    const bool wide = needed.width() > room.width();
    m_page->setMinimumSize(tall || wide ? needed.width() : 0, 0);
    const QSize fitted = (needed + QSize(tall ? bar : 0, wide ? bar : 0)).boundedTo(room);
    if (m_fitted.isValid() && isVisible()) {
        // The cells changed: the window grows or shrinks by as much as they did, so a size the
        // user gave it (or the window system adjusted) keeps its difference from the fit.
        const QSize changed = size() + (fitted - m_fitted);
        resize(changed.expandedTo(minimumSizeHint()).boundedTo(room));
    } else {
        resize(fitted);
    }
    m_fitted = fitted;
    // The parts take their places now rather than at the event loop's next pass, so that the
    // table is never seen squeezed behind scroll bars of its own in between.
    layout()->activate();
    m_scroll->setWidgetResizable(true); // sizes the page to the scroll area again
    m_page->layout()->activate();
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
    // The first focus is the table's: the threshold box would take undo and copy's keys.
    const bool shown = isVisible();
    if (!shown)
        m_table->setFocus();
    show();
    // Shown, it has its frame and its parts their final measures: fitted again with them.
    if (!shown)
        fitToContents();
    keepInside();
    raise();
    activateWindow();
}
