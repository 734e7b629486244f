#include "window/chamber/hemicycle_window.h"

#include "core/chamber/hemicycle.h"
#include "core/comparison/method_comparison.h"
#include "window/chamber/hemicycle_view.h"
#include "window/picture/seat_chart.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>

using namespace apportion;

namespace {

QPixmap swatch(int party, int side)
{
    QPixmap square(side, side);
    square.fill(SeatChart::partyColour(party));
    return square;
}

bool fits(const QSize& size, const QSize& room)
{
    return size.width() <= room.width() && size.height() <= room.height();
}

} // namespace

HemicycleWindow::HemicycleWindow(std::shared_ptr<const Board> board, QWidget* window)
    : QWidget(window, Qt::Window)
    , m_board(std::move(board))
{
    setObjectName(QStringLiteral("HemicycleWindow"));
    setWindowTitle(QStringLiteral("Парламент"));
    setAccessibleName(QStringLiteral("Парламент"));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    m_source = new QComboBox(this);
    m_source->setObjectName(QStringLiteral("ChamberSource"));
    m_source->setAccessibleName(QStringLiteral("Мандатите"));
    m_source->addItem(QStringLiteral("Мандатите, дадени досега"), seatBySeat);
    for (int method = 0; method < divisorMethodCount; ++method) {
        m_source->addItem(QString::fromStdString(MethodCaption(static_cast<DivisorMethod>(method)))
                + QStringLiteral(": всички мандати"),
            method);
    }
    m_source->addItem(QStringLiteral("Hare–Niemeyer: всички мандати"), hareNiemeyer);
    m_view = new HemicycleView(this);
    m_view->setFocusPolicy(Qt::NoFocus);
    m_legend = new QListWidget(this);
    m_legend->setObjectName(QStringLiteral("ChamberLegend"));
    m_legend->setAccessibleName(QStringLiteral("Партиите: изберете коалиция"));
    m_legend->setToolTip(QStringLiteral("Изберете партии (щракване, или стрелки и интервал): "
                                        "сборът им се сравнява с мнозинството"));
    m_legend->setSelectionMode(QAbstractItemView::MultiSelection);
    m_legend->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_legend->setTextElideMode(Qt::ElideMiddle);
    m_coalition = new QLabel(this);
    m_coalition->setObjectName(QStringLiteral("Coalition"));
    m_coalition->setWordWrap(true);
    m_coalition->setTextFormat(Qt::PlainText);
    m_said = new QLabel(this);
    m_said->setObjectName(QStringLiteral("ChamberSaid"));
    m_said->setWordWrap(true);
    m_said->setTextFormat(Qt::PlainText);

    m_grid = new QGridLayout(this);
    placeParts(false);

    connect(m_source, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(m_legend, &QListWidget::itemSelectionChanged, this, &HemicycleWindow::chooseCoalition);

    auto* copy = new QAction(QStringLiteral("Копирай картината"), this);
    copy->setObjectName(QStringLiteral("CopyChamber"));
    copy->setShortcuts(QKeySequence::keyBindings(QKeySequence::Copy));
    copy->setShortcutContext(Qt::WindowShortcut);
    connect(copy, &QAction::triggered, this, &HemicycleWindow::copyPicture);
    auto* save = new QAction(QStringLiteral("Запази като SVG…"), this);
    connect(save, &QAction::triggered, this, &HemicycleWindow::saveSvgWithDialog);
    auto* print = new QAction(QStringLiteral("Печат на картината…"), this);
    connect(print, &QAction::triggered, this, &HemicycleWindow::printWithDialog);
    auto* close = new QAction(this);
    close->setShortcuts({ QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W) });
    close->setShortcutContext(Qt::WindowShortcut);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addActions({ copy, save, print, close });
}

void HemicycleWindow::boardChanged()
{
    m_behind = true;
    if (isVisible())
        m_refresh.schedule();
}

void HemicycleWindow::showSeatsOf(int source)
{
    const int index = m_source->findData(source);
    if (index >= 0)
        m_source->setCurrentIndex(index);
}

int HemicycleWindow::source() const { return m_source->currentData().toInt(); }

void HemicycleWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_behind)
        refresh();
}

void HemicycleWindow::refresh()
{
    m_behind = false;
    const Board& board = *m_board;
    const int shown = source();
    Chamber chamber;
    if (shown == seatBySeat) {
        chamber = ChamberOfBoard(board);
    } else {
        const MethodComparison compared = CompareMethods(board);
        const MethodResult& result = shown == hareNiemeyer
            ? compared.hareNiemeyer
            : compared.methods[static_cast<std::size_t>(shown)];
        chamber = ChamberOfSeats(result.seats, static_cast<int>(board.SeatTotal()));
    }
    const PartyNames names = NamesOf(board.parties);
    m_view->showChamber(chamber, names);
    {
        // The coalition chosen stays chosen while the parties do.
        const QSignalBlocker blocker(m_legend);
        while (m_legend->count() > static_cast<int>(board.parties.size()))
            delete m_legend->takeItem(m_legend->count() - 1);
        const int side = QFontMetrics(font()).height();
        if (m_legend->iconSize() != QSize(side, side))
            m_legend->setIconSize(QSize(side, side));
        // Entries are written again only where they changed: a keystroke changes none.
        for (int party = 0; party < static_cast<int>(board.parties.size()); ++party) {
            if (party >= m_legend->count())
                m_legend->addItem(new QListWidgetItem(QIcon(swatch(party, side)), QString()));
            const QString entry = QString::fromStdString(LegendEntry(chamber, names, party));
            if (m_legend->item(party)->text() != entry)
                m_legend->item(party)->setText(entry);
        }
        // An entry as wide as the longest name with its seats.
        int widest = 0;
        for (int party = 0; party < m_legend->count(); ++party) {
            widest = std::max(
                widest, m_legend->fontMetrics().horizontalAdvance(m_legend->item(party)->text()));
        }
        m_entrySize = QSize(widest + side * 2, m_legend->fontMetrics().height() * 5 / 4);
    }
    placeParts(underChamber());
    chooseCoalition();
    setWindowTitle(pictureTitle());
    if (isVisible()) {
        layout()->activate();
        keepInside();
    }
}

bool HemicycleWindow::underChamber() const
{
    // Where the chamber is drawn the larger: beside the legend, or over it across the window.
    // The chamber is twice as wide as it is high, with two lines of text under it.
    if (m_entrySize.isEmpty())
        return false;
    const int frame = 2 * m_legend->frameWidth();
    const int text = 3 * fontMetrics().lineSpacing();
    const int high = height() - m_source->sizeHint().height() - 24 - text;
    const int besideWidth
        = m_entrySize.width() + frame + m_legend->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int across = std::max(1, (width() - 24 - frame) / m_entrySize.width());
    const int legendHigh = (m_legend->count() + across - 1) / across * m_entrySize.height() + frame
        + 2 * fontMetrics().lineSpacing();
    const int besideRadius = std::min((width() - besideWidth - 24) / 2, high);
    const int underRadius = std::min((width() - 24) / 2, high - legendHigh);
    return underRadius > besideRadius;
}

void HemicycleWindow::placeParts(bool under)
{
    // Placed again only where something they are placed by changed: a seat or a keystroke
    // changes none of it.
    const QSize placedBy(under ? width() : 0, m_legend->count());
    if (m_partsPlaced && under == m_legendUnder && placedBy == m_placedBy
        && m_entrySize == m_placedEntry)
        return;
    m_partsPlaced = true;
    m_placedBy = placedBy;
    m_placedEntry = m_entrySize;
    m_legendUnder = under;
    for (QWidget* part : { static_cast<QWidget*>(m_source), static_cast<QWidget*>(m_view),
             static_cast<QWidget*>(m_legend), static_cast<QWidget*>(m_coalition),
             static_cast<QWidget*>(m_said) })
        m_grid->removeWidget(part);
    for (int row = 0; row < 5; ++row)
        m_grid->setRowStretch(row, 0);
    const int frame = 2 * m_legend->frameWidth();
    if (under) {
        // Under the chamber across the window, the entries side by side in rows.
        m_grid->addWidget(m_source, 0, 0);
        m_grid->addWidget(m_view, 1, 0);
        m_grid->addWidget(m_legend, 2, 0);
        m_grid->addWidget(m_coalition, 3, 0);
        m_grid->addWidget(m_said, 4, 0);
        m_grid->setColumnStretch(1, 0);
        m_grid->setRowStretch(1, 1);
        m_legend->setFlow(QListView::LeftToRight);
        m_legend->setWrapping(true);
        m_legend->setGridSize(m_entrySize);
        const int across = std::max(1, (width() - 24 - frame) / std::max(1, m_entrySize.width()));
        const int rows = (m_legend->count() + across - 1) / across;
        m_legend->setMinimumWidth(0);
        m_legend->setFixedHeight(rows * m_entrySize.height() + frame + 4);
    } else {
        m_grid->addWidget(m_source, 0, 0, 1, 2);
        m_grid->addWidget(m_view, 1, 0, 3, 1);
        m_grid->addWidget(m_legend, 1, 1);
        m_grid->addWidget(m_coalition, 2, 1);
        m_grid->addWidget(m_said, 3, 1);
        m_grid->setColumnStretch(0, 1);
        m_grid->setRowStretch(1, 1);
        m_legend->setFlow(QListView::TopToBottom);
        m_legend->setWrapping(false);
        m_legend->setGridSize(QSize());
        m_legend->setMinimumHeight(0);
        m_legend->setMaximumHeight(QWIDGETSIZE_MAX);
        m_legend->setMinimumWidth(m_entrySize.width() + frame
            + m_legend->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    }
}

void HemicycleWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeParts(underChamber());
}

void HemicycleWindow::chooseCoalition()
{
    const std::vector<int> chosen = chosenParties();
    m_view->setChosen(chosen);
    const QString text = QString::fromStdString(
        CoalitionText(m_view->chamber(), NamesOf(m_board->parties), chosen));
    m_coalition->setText(
        text.isEmpty() ? QStringLiteral("Изберете партии в списъка, за да ги съберете.") : text);
    m_coalition->setAccessibleName(m_coalition->text());
}

std::vector<int> HemicycleWindow::chosenParties() const
{
    std::vector<int> chosen;
    for (int party = 0; party < m_legend->count(); ++party) {
        if (m_legend->item(party)->isSelected())
            chosen.push_back(party);
    }
    return chosen;
}

QString HemicycleWindow::coalitionText() const
{
    return QString::fromStdString(
        CoalitionText(m_view->chamber(), NamesOf(m_board->parties), chosenParties()));
}

QString HemicycleWindow::pictureTitle() const
{
    const QString what = m_source->currentIndex() == 0
        ? QStringLiteral("Парламент")
        : QStringLiteral("Парламент по ") + m_source->currentText().section(QLatin1Char(':'), 0, 0);
    return m_board->title.empty()
        ? what
        : QString::fromStdString(m_board->title) + QStringLiteral(" — ") + what;
}

QString HemicycleWindow::svg() const
{
    std::vector<std::string> colours;
    for (int party = 0; party < static_cast<int>(m_board->parties.size()); ++party)
        colours.push_back(SeatChart::partyColour(party).name().toStdString());
    return QString::fromStdString(ChamberSvg(
        m_view->chamber(), NamesOf(m_board->parties), colours, pictureTitle().toStdString()));
}

void HemicycleWindow::copyPicture()
{
    auto* copied = new QMimeData;
    copied->setImageData(m_view->picture(pictureTitle()));
    copied->setData(QStringLiteral("image/svg+xml"), svg().toUtf8());
    QGuiApplication::clipboard()->setMimeData(copied);
    m_said->setText(QStringLiteral("Картината е копирана: 1600 точки широка и като SVG."));
}

bool HemicycleWindow::saveSvg(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = svg().toUtf8();
    return file.write(bytes) == bytes.size() && file.flush();
}

void HemicycleWindow::saveSvgWithDialog()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Запази картината"),
        QStringLiteral("парламент.svg"), QStringLiteral("SVG (*.svg)"));
    if (path.isEmpty())
        return;
    m_said->setText(saveSvg(path) ? QStringLiteral("Картината е запазена.")
                                  : QStringLiteral("Картината не можа да се запише."));
}

void HemicycleWindow::printTo(QPrinter& printer) const
{
    QPainter painter(&printer);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRectF area(0, 0, page.width(), page.height());
    QFont font = HemicycleView::sheetFont(this->font(), area.width());
    // A page narrower than the sheet is high takes the sheet smaller.
    double width = area.width();
    const double height = m_view->sheetHeight(width, font, pictureTitle());
    if (height > area.height()) {
        width *= area.height() / height;
        font = HemicycleView::sheetFont(this->font(), width);
    }
    m_view->paintSheet(painter,
        QRectF(area.left() + (area.width() - width) / 2, area.top(), width, area.height()), font,
        pictureTitle());
}

void HemicycleWindow::printWithDialog()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        printTo(printer);
}

void HemicycleWindow::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.setFont(font());
    for (QAction* action : actions()) {
        if (!action->text().isEmpty())
            menu.addAction(action);
    }
    menu.exec(event->globalPos());
}

void HemicycleWindow::setZoomedFont(const QFont& font)
{
    applyFont(font);
    // At a projector's zoom on a small screen the parts would not fit: the zoomed font where
    // they do, else the largest smaller one that does.
    const QSize room = availableArea().size() - QSize(16, 48);
    QFont fitted = font;
    for (int step = 0; step < 12 && !fits(layout()->minimumSize(), room); ++step) {
        fitted.setPointSizeF(fitted.pointSizeF() * 0.9);
        applyFont(fitted);
    }
    if (isVisible() && !fits(size(), room))
        resize(size().boundedTo(room));
}

void HemicycleWindow::applyFont(const QFont& font)
{
    setFont(font);
    for (QWidget* child :
        std::initializer_list<QWidget*> { m_source, m_view, m_legend, m_coalition, m_said })
        child->setFont(font);
    layout()->invalidate();
    layout()->activate();
    m_behind = true;
    if (isVisible())
        refresh();
}

QRect HemicycleWindow::availableArea() const
{
    const QScreen* where
        = parentWidget() && parentWidget()->screen() ? parentWidget()->screen() : screen();
    return where ? where->availableGeometry() : QRect(QPoint(0, 0), sizeHint());
}

void HemicycleWindow::placeBeside(const QWidget& window)
{
    const QRect area = availableArea();
    const QRect frame = window.frameGeometry();
    // The room beside the main window where it is near half the screen, else more than half of
    // the screen over the main window's right part; most of the screen's height, never past it.
    const int beside = area.right() - frame.right() - 8;
    const QSize wanted(std::max(beside >= area.width() * 9 / 20 ? beside : area.width() * 11 / 20,
                           minimumSizeHint().width()),
        area.height() * 17 / 20);
    resize(wanted.expandedTo(minimumSizeHint()).boundedTo(area.size() - QSize(16, 48)));
    QPoint place(frame.right() + 1, frame.top());
    if (place.x() + width() > area.right())
        place.setX(area.right() - width());
    place.setX(std::max(place.x(), area.left()));
    place.setY(
        std::clamp(place.y(), area.top(), std::max(area.top(), area.bottom() - height() - 40)));
    move(place);
}

void HemicycleWindow::keepInside()
{
    // Shown, the legend may have widened it for the longest name: moved back within the screen.
    const QRect area = availableArea();
    const QSize frame = frameGeometry().size();
    QPoint place = pos();
    place.setX(std::max(area.left(), std::min(place.x(), area.right() + 1 - frame.width())));
    place.setY(std::max(area.top(), std::min(place.y(), area.bottom() + 1 - frame.height())));
    if (place != pos())
        move(place);
}

void HemicycleWindow::bringForward()
{
    show();
    keepInside();
    raise();
    activateWindow();
}
