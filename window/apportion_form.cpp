#include "window/apportion_form.h"

#include "core/worked_table.h"
#include "window/board_item.h"
#include "window/form_actions.h"
#include "window/form_layout.h"
#include "window/form_style.h"
#include "window/list_diff.h"
#include "window/row_delegate.h"
#include "window/seat_list.h"
#include "window/static_texts.h"
#include "window/table_export.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDate>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextDocument>

#include <algorithm>
#include <limits>

using namespace apportion;
namespace layout = form_layout;

namespace {

const char* const commandCaptions[] = { "Въведи", "Търси", "Изчисти" };
const char* const commandDescriptions[] = {
    "Записва гласовете в списъците с частни; може да се направи веднъж",
    "Дава следващия мандат на партията с най-голямо частно",
    "Изчиства гласовете и списъците с частни",
};
const char* const labelCaptions[]
    = { "Математика - системи на делителя за разпределение на мандати", "делител", "мандат" };

constexpr double basePointSize = 12;

QString indexedName(const char* name, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

double zoomFactor(int percent) { return percent / 100.0; }

} // namespace

ApportionForm::ApportionForm(QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Математика - системи за разпределение на мандати"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/apportion.xpm")));
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(192, 192, 255));
    setPalette(background);
    setAutoFillBackground(true);

    createControls();
    m_actions = new FormActions(this);
    // Only the controls with colours of their own are styled, and only once they exist: see
    // placeControls.
    placeControls();
    connectEvents();

    // The window's load: D'Hondt and the seat total 7, shown before the window first is.
    m_board.LoadWindow();
    showBoard();
    showZoomActions();
}

void ApportionForm::createControls()
{
    // Created in tab order, so the focus chain follows the layout table.
    for (int i = 0; i < 2; ++i) {
        auto* text = new QPlainTextEdit(this);
        text->setObjectName(indexedName("Text1", i));
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        text->setReadOnly(true);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        m_texts[i] = text;
    }
    m_texts[0]->setPlainText(explanatoryText());
    m_texts[1]->setPlainText(quotationText());
    m_texts[1]->hide();
    m_texts[0]->setAccessibleName(QStringLiteral("Обяснение"));
    m_texts[0]->setAccessibleDescription(QStringLiteral("Обяснение на системите на делителя"));
    m_texts[1]->setAccessibleName(QStringLiteral("Цитат"));

    auto makeLabel = [this](int i) {
        auto* label = new QLabel(QString::fromUtf8(labelCaptions[i]), this);
        label->setObjectName(indexedName("Label1", i));
        label->setAlignment(Qt::AlignCenter);
        m_labels[i] = label;
    };
    makeLabel(0);

    for (int i = 0; i < partyCount; ++i) {
        auto* list = new QListWidget(this);
        list->setObjectName(indexedName("List1", i));
        list->setUniformItemSizes(true);
        list->setAccessibleName(QStringLiteral("Частни, партия %1").arg(i + 1));
        list->setAccessibleDescription(
            QStringLiteral("Гласовете на партията и нейното частно след всеки даден мандат"));
        m_quotientLists[i] = list;

        auto* votes = new QLineEdit(this);
        votes->setObjectName(indexedName("Text2", i));
        votes->setMaxLength(std::numeric_limits<int>::max());
        votes->setAccessibleName(QStringLiteral("Гласове, партия %1").arg(i + 1));
        votes->setAccessibleDescription(
            QStringLiteral("Гласовете за партията; след „Въведи“ тук стои броят на мандатите ѝ"));
        m_voteBoxes[i] = votes;
    }

    m_commands = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(commandCaptions[i]), this);
        button->setObjectName(indexedName("Command1", i));
        button->setAccessibleDescription(QString::fromUtf8(commandDescriptions[i]));
        // Enter presses the focused button too, as on the classic desktop.
        button->setAutoDefault(true);
        m_commands->addButton(button, i);
    }

    m_divisorList = new QListWidget(this);
    m_divisorList->setObjectName(QStringLiteral("List2"));
    m_divisorList->setUniformItemSizes(true);
    m_divisorList->setAccessibleName(QStringLiteral("Делители"));
    m_divisorList->setAccessibleDescription(
        QStringLiteral("Делителите на избрания метод за втория до стотния мандат на партия; "
                       "отбелязан е последно използваният"));

    m_methodFrame = new QGroupBox(QStringLiteral("Методи"), this);
    m_methodFrame->setObjectName(QStringLiteral("Frame1"));
    m_methods = new QButtonGroup(this);
    for (int k = 0; k < divisorMethodCount; ++k) {
        auto* option = new QRadioButton(
            QString::fromStdString(MethodCaption(static_cast<DivisorMethod>(k))), m_methodFrame);
        option->setObjectName(indexedName("Option1", k));
        m_methods->addButton(option, k);
    }

    makeLabel(1);
    makeLabel(2);

    m_seatTotals = new SeatList(this);
    m_seatTotals->setObjectName(QStringLiteral("List3"));
    m_seatTotals->setUniformItemSizes(true);
    m_seatTotals->setAccessibleName(QStringLiteral("Брой мандати"));
    m_seatTotals->setAccessibleDescription(QStringLiteral("Общият брой мандати за разпределяне"));
    for (const auto& seats : m_board.seatChoices)
        m_seatTotals->addItem(QString::fromStdString(seats));

    auto* rows = new RowDelegate(this);
    for (auto* list : m_quotientLists)
        list->setItemDelegate(rows);
    m_divisorList->setItemDelegate(rows);
    m_seatTotals->setItemDelegate(rows);
}

void ApportionForm::placeControls()
{
    const double zoom = zoomFactor(zoomPercent());
    setFixedSize(layout::clientSize(zoom));
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(basePointSize * zoom);
    setFont(font);

    for (int i = 0; i < 2; ++i)
        m_texts[i]->setGeometry(layout::toPixels(layout::texts[i], zoom));
    for (int i = 0; i < 3; ++i)
        m_labels[i]->setGeometry(layout::toPixels(layout::labels[i], zoom));
    for (int i = 0; i < partyCount; ++i) {
        const int shift = i * layout::partySpacing;
        m_quotientLists[i]->setGeometry(
            layout::toPixels(layout::shiftedRight(layout::quotientList, shift), zoom));
        m_voteBoxes[i]->setGeometry(
            layout::toPixels(layout::shiftedRight(layout::voteBox, shift), zoom));
    }
    for (int i = 0; i < 3; ++i)
        m_commands->button(i)->setGeometry(layout::toPixels(layout::commands[i], zoom));
    m_divisorList->setGeometry(layout::toPixels(layout::divisorList, zoom));
    m_methodFrame->setGeometry(layout::toPixels(layout::methodFrame, zoom));
    for (int k = 0; k < divisorMethodCount; ++k) {
        m_methods->button(k)->setGeometry(layout::toPixels(
            layout::shiftedDown(layout::methodOption, k * layout::methodOption.height), zoom));
    }
    m_seatTotals->setGeometry(layout::toPixels(layout::seatTotals, zoom));

    // Only the controls with colours of their own are styled: a style sheet on the whole window
    // would send the lists, which repaint on every seat, through the slower style-sheet drawing.
    // Set once the controls exist: set on a parent before, the controls inside the frame would be
    // polished with the application's font instead of the window's.
    // A styled control takes a later font change of the window only when given it itself.
    const QString sheet = formStyleSheet(zoom);
    for (QWidget* styled : std::initializer_list<QWidget*> { m_labels[0], m_labels[1], m_labels[2],
             m_methodFrame, m_commands->button(0), m_commands->button(1), m_commands->button(2) }) {
        styled->setStyleSheet(sheet);
        styled->setFont(font);
    }
    for (QAbstractButton* option : m_methods->buttons())
        option->setFont(font);
}

void ApportionForm::connectEvents()
{
    connect(m_commands, &QButtonGroup::idClicked, this, &ApportionForm::runCommand);
    connect(m_methods, &QButtonGroup::idToggled, this, &ApportionForm::selectMethod);
    for (int i = 0; i < partyCount; ++i) {
        connect(m_voteBoxes[i], &QLineEdit::textEdited, this,
            [this, i](const QString& text) { editVotes(i, text); });
    }
    connect(
        m_seatTotals, &QListWidget::itemSelectionChanged, this, &ApportionForm::selectSeatTotal);

    connect(m_actions->undo, &QAction::triggered, this, &ApportionForm::undo);
    connect(m_actions->redo, &QAction::triggered, this, &ApportionForm::redo);
    connect(m_actions->copy, &QAction::triggered, this, &ApportionForm::copyTable);
    connect(m_actions->print, &QAction::triggered, this, &ApportionForm::printWithDialog);
    connect(m_actions->zoomIn, &QAction::triggered, this, [this] { zoomBy(1); });
    connect(m_actions->zoomOut, &QAction::triggered, this, [this] { zoomBy(-1); });
    connect(m_actions->zoomReset, &QAction::triggered, this, [this] { setZoomPercent(100); });
    connect(m_actions->showMenu, &QAction::triggered, this, &ApportionForm::openMenuFromKeyboard);
}

void ApportionForm::runCommand(int index)
{
    switch (index) {
    case 0:
        m_history.EnterVotes(m_board);
        break;
    case 1:
        m_history.GiveNextSeat(m_board);
        break;
    case 2:
        m_history.ClearAll(m_board);
        break;
    default:
        return;
    }
    showBoard();
}

void ApportionForm::selectMethod(int index, bool checked)
{
    // Only the option being selected counts; the one it replaces reports its unchecking too.
    if (!checked || index < 0 || index >= divisorMethodCount)
        return;
    m_history.SelectMethod(m_board, static_cast<DivisorMethod>(index));
    showBoard();
}

void ApportionForm::editVotes(int party, const QString& text)
{
    m_board.parties[party].entryText = text.toStdString();
}

void ApportionForm::selectSeatTotal()
{
    const auto selected = m_seatTotals->selectionModel()->selectedRows();
    if (!selected.isEmpty())
        m_board.seatSelection = selected.front().row();
}

void ApportionForm::undo()
{
    m_history.Undo(m_board);
    showBoard();
}

void ApportionForm::redo()
{
    m_history.Redo(m_board);
    showBoard();
}

void ApportionForm::copyTable() const
{
    const WorkedTable table = MakeWorkedTable(m_board);
    auto* formats = new QMimeData;
    formats->setText(tableAsTabSeparated(table, QLocale()));
    formats->setHtml(tableAsHtml(table));
    QGuiApplication::clipboard()->setMimeData(formats);
}

void ApportionForm::printTable(QPrinter& printer) const
{
    QTextDocument document;
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(11);
    document.setDefaultFont(font);
    document.setHtml(printableHtml(MakeWorkedTable(m_board), QDate::currentDate()));
    document.print(&printer);
}

void ApportionForm::printWithDialog()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Печат на таблицата"));
    if (dialog.exec() == QDialog::Accepted)
        printTable(printer);
}

bool ApportionForm::fitsScreen(int percent) const
{
    const QScreen* where = screen();
    if (!where)
        return percent == 100;
    // The frame the window system adds stays its own size.
    const QSize frame = frameGeometry().size() - size();
    const QSize needed = layout::clientSize(zoomFactor(percent)) + frame;
    const QSize available = where->availableGeometry().size();
    return needed.width() <= available.width() && needed.height() <= available.height();
}

int ApportionForm::zoomPercent() const { return layout::zoomSteps[m_zoomStep]; }

void ApportionForm::setZoomPercent(int percent)
{
    std::size_t chosen = 0;
    for (std::size_t step = 0; step < layout::zoomSteps.size(); ++step) {
        if (layout::zoomSteps[step] <= percent && fitsScreen(layout::zoomSteps[step]))
            chosen = step;
    }
    if (chosen != m_zoomStep) {
        m_zoomStep = chosen;
        placeControls();
    }
    showZoomActions();
}

void ApportionForm::zoomBy(int steps)
{
    const auto last = static_cast<std::ptrdiff_t>(layout::zoomSteps.size()) - 1;
    const auto step
        = std::clamp<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(m_zoomStep) + steps, 0, last);
    setZoomPercent(layout::zoomSteps[static_cast<std::size_t>(step)]);
}

void ApportionForm::contextMenuEvent(QContextMenuEvent* event)
{
    openMenu(event->globalPos());
    event->accept();
}

void ApportionForm::openMenu(const QPoint& globalPosition)
{
    // The window may have moved to another screen since the zoom was last set.
    showZoomActions();
    QMenu* menu = m_actions->createMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPosition);
}

void ApportionForm::openMenuFromKeyboard()
{
    QWidget* focus = focusWidget();
    if (!focus)
        focus = this;
    const QPoint centre = focus->rect().center();
    // A text box opens its own menu, as its right click does.
    if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus)) {
        QContextMenuEvent event(QContextMenuEvent::Keyboard, centre, focus->mapToGlobal(centre));
        QApplication::sendEvent(focus, &event);
        return;
    }
    openMenu(focus->mapToGlobal(centre));
}

void ApportionForm::showBoard()
{
    for (int i = 0; i < partyCount; ++i) {
        const auto entryText = QString::fromStdString(m_board.parties[i].entryText);
        if (m_voteBoxes[i]->text() != entryText) {
            const QSignalBlocker blocker(m_voteBoxes[i]);
            m_voteBoxes[i]->setText(entryText);
        }
        showItems(
            m_quotientLists[i], m_board.parties[i].rows, [this, i](const QString& text, auto row) {
                return new BoardItem(text, m_board, i, row);
            });
    }

    const bool seatGiven = m_board.seatsGiven > m_shownSeatsGiven;
    m_shownSeatsGiven = m_board.seatsGiven;
    {
        const QSignalBlocker blocker(m_divisorList);
        const auto divisors
            = showItems(m_divisorList, m_board.divisors, [this](const QString& text, auto row) {
                  return new BoardItem(text, m_board, BoardItem::divisorColumn, row);
              });
        // A new series is shown from its first divisor, wherever the old highlight had
        // scrolled the list.
        if (divisors == ListChange::Rebuilt)
            m_divisorList->scrollToTop();
        if (divisors != ListChange::None || seatGiven
            || m_board.divisorSelection != m_shownDivisorSelection)
            showDivisorSelection();
    }

    m_commands->button(0)->setEnabled(m_board.enterEnabled);

    if (m_board.method) {
        const QSignalBlocker blocker(m_methods);
        m_methods->button(static_cast<int>(*m_board.method))->setChecked(true);
        // The option group is one tab stop, at its checked option, from either direction; the
        // arrow keys move within it. Qt only arranges this once an option has had the focus.
        for (QAbstractButton* option : m_methods->buttons())
            option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }

    const int seatRow = m_board.seatSelection.value_or(-1);
    if (seatRow >= 0 && seatRow < m_seatTotals->count()
        && !m_seatTotals->item(seatRow)->isSelected()) {
        const QSignalBlocker blocker(m_seatTotals);
        m_seatTotals->setCurrentRow(seatRow);
    }
    showHistoryActions();
}

void ApportionForm::showDivisorSelection()
{
    m_shownDivisorSelection = m_board.divisorSelection;
    const int row = m_board.divisorSelection.value_or(-1);
    if (row < 0 || row >= m_divisorList->count()) {
        m_divisorList->clearSelection();
        return;
    }
    m_divisorList->setCurrentRow(row);
    m_divisorList->scrollToItem(m_divisorList->item(row));
}

void ApportionForm::showHistoryActions()
{
    m_actions->undo->setEnabled(m_history.CanUndo());
    m_actions->redo->setEnabled(m_history.CanRedo());
    const bool hasTable = !m_board.parties[0].rows.empty();
    m_actions->copy->setEnabled(hasTable);
    m_actions->print->setEnabled(hasTable);
}

void ApportionForm::showZoomActions()
{
    const auto& steps = layout::zoomSteps;
    m_actions->zoomIn->setEnabled(
        m_zoomStep + 1 < steps.size() && fitsScreen(steps[m_zoomStep + 1]));
    m_actions->zoomOut->setEnabled(m_zoomStep > 0);
    m_actions->zoomReset->setEnabled(m_zoomStep > 0);
}
