#include "window/apportion_form.h"

#include "core/action_report.h"
#include "core/method_comparison.h"
#include "window/command_button.h"
#include "window/comparison_window.h"
#include "window/divisor_model.h"
#include "window/form_actions.h"
#include "window/form_layout.h"
#include "window/form_style.h"
#include "window/menu_routing.h"
#include "window/quotient_model.h"
#include "window/row_delegate.h"
#include "window/row_list.h"
#include "window/scroll_link.h"
#include "window/seat_list.h"
#include "window/static_texts.h"
#include "window/status_line.h"
#include "window/table_output.h"
#include "window/text_box_keys.h"

#include <QAction>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolTip>

#include <limits>

using namespace apportion;
namespace layout = form_layout;

namespace {

const char* const commandCaptions[] = { "Въведи", "Търси", "Изчисти" };
const char* const commandDescriptions[] = {
    "Записва гласовете в списъците с частни; може да се направи веднъж за пример",
    "Дава следващия мандат на партията с най-голямо частно",
    "Изчиства гласовете и списъците с частни",
};
const char* const labelCaptions[]
    = { "Математика - системи на делителя за разпределение на мандати", "делител", "мандат" };

QString indexedName(const char* name, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

} // namespace

ApportionForm::ApportionForm(QWidget* parent)
    : QWidget(parent)
    , m_board(std::make_shared<Board>())
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
    m_board->LoadWindow();
    showBoard(Operation::LoadWindow);
    applyZoom();
}

ApportionForm::~ApportionForm() = default;

void ApportionForm::createControls()
{
    auto* textBoxKeys = new TextBoxKeys(this);

    // Created in tab order, so the focus chain follows the layout table.
    for (int i = 0; i < 2; ++i) {
        auto* text = new QPlainTextEdit(this);
        text->setObjectName(indexedName("Text1", i));
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        text->setReadOnly(true);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        text->installEventFilter(textBoxKeys);
        text->viewport()->installEventFilter(textBoxKeys);
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
        m_quotientModels[i] = new QuotientModel(m_board, i, this);
        auto* list = new RowList(this);
        list->setObjectName(indexedName("List1", i));
        list->setModel(m_quotientModels[i]);
        list->setAccessibleName(QStringLiteral("Частни, партия %1").arg(i + 1));
        list->setAccessibleDescription(QStringLiteral(
            "Гласовете на партията и нейното частно за всеки пореден мандат; частното, спечелило "
            "мандат, е удебелено и носи номера на мандата"));
        m_quotientLists[i] = list;

        auto* votes = new QLineEdit(this);
        votes->setObjectName(indexedName("Text2", i));
        votes->setMaxLength(std::numeric_limits<int>::max());
        votes->setAccessibleName(QStringLiteral("Гласове, партия %1").arg(i + 1));
        votes->setAccessibleDescription(
            QStringLiteral("Гласовете за партията; след „Въведи“ тук стои броят на мандатите ѝ"));
        votes->installEventFilter(textBoxKeys);
        m_voteBoxes[i] = votes;
    }
    m_scrollLink = new ScrollLink(
        std::vector<QAbstractItemView*>(m_quotientLists.begin(), m_quotientLists.end()), this);

    m_commands = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* button = new CommandButton(QString::fromUtf8(commandCaptions[i]), this);
        button->setObjectName(indexedName("Command1", i));
        button->setAccessibleDescription(QString::fromUtf8(commandDescriptions[i]));
        // Enter presses the focused button too, as on the classic desktop.
        button->setAutoDefault(true);
        m_commands->addButton(button, i);
    }

    m_divisorModel = new DivisorModel(m_board, this);
    m_divisorList = new RowList(this);
    m_divisorList->setObjectName(QStringLiteral("List2"));
    m_divisorList->setModel(m_divisorModel);
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
    for (const auto& seats : m_board->seatChoices)
        m_seatTotals->addItem(QString::fromStdString(seats));

    m_status = new StatusLine(this);
    m_status->report(QString::fromStdString(ReportStart()));

    auto* rows = new RowDelegate(this);
    for (auto* list : m_quotientLists)
        list->setItemDelegate(rows);
    m_divisorList->setItemDelegate(rows);
    m_seatTotals->setItemDelegate(rows);
}

void ApportionForm::placeControls()
{
    const double zoom = m_zoom.factor();
    setFixedSize(layout::clientSize(zoom));
    const QFont font = m_zoom.font();
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
    m_status->setGeometry(layout::toPixels(layout::statusLine, zoom));

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

    connect(m_actions->newExample, &QAction::triggered, this, &ApportionForm::newExample);
    connect(m_actions->undo, &QAction::triggered, this, &ApportionForm::undo);
    connect(m_actions->redo, &QAction::triggered, this, &ApportionForm::redo);
    connect(m_actions->copy, &QAction::triggered, this, &ApportionForm::copyTable);
    connect(m_actions->nothingToCopy, &QAction::triggered, this, &ApportionForm::refuseCopy);
    connect(m_actions->print, &QAction::triggered, this,
        [this] { printWorkedTableWithDialog(*m_board, this, comparedThreshold()); });
    connect(m_actions->compare, &QAction::triggered, this, &ApportionForm::openComparison);
    connect(m_actions->zoomIn, &QAction::triggered, this, [this] { zoomBy(1); });
    connect(m_actions->zoomOut, &QAction::triggered, this, [this] { zoomBy(-1); });
    connect(m_actions->zoomReset, &QAction::triggered, this, [this] { setZoomPercent(100); });
    connect(m_actions->showMenu, &QAction::triggered, this,
        [this] { openContextMenuFromKeyboard(*m_actions, this, m_zoom.font()); });
}

void ApportionForm::runCommand(int index)
{
    switch (index) {
    case 0:
        m_history.EnterVotes(*m_board);
        showBoard(Operation::EnterVotes);
        m_status->report(QString::fromStdString(ReportVotesEntered(*m_board)));
        break;
    case 1: {
        const std::size_t seatsBefore = m_board->seatHistory.size();
        m_history.GiveNextSeat(*m_board);
        // A refused seat changes nothing, not even the divisor highlight the user moved; the
        // line says why and what lets the allocation go on.
        if (m_board->seatHistory.size() != seatsBefore) {
            showBoard(Operation::GiveNextSeat);
            m_status->report(QString::fromStdString(ReportSeat(*m_board)));
        } else {
            m_status->report(QString::fromStdString(ReportNoSeat(*m_board)));
        }
        break;
    }
    case 2:
        m_history.ClearAll(*m_board);
        showBoard(Operation::ClearAll);
        m_status->report(QString::fromStdString(ReportCleared()));
        break;
    default:
        break;
    }
}

void ApportionForm::selectMethod(int index, bool checked)
{
    // Only the option being selected counts; the one it replaces reports its unchecking too.
    if (!checked || index < 0 || index >= divisorMethodCount)
        return;
    m_history.SelectMethod(*m_board, static_cast<DivisorMethod>(index));
    showBoard(Operation::SelectMethod);
    m_status->report(QString::fromStdString(ReportMethod(*m_board)));
}

void ApportionForm::editVotes(int party, const QString& text)
{
    m_board->parties[party].entryText = text.toStdString();
    showComparison();
}

void ApportionForm::selectSeatTotal()
{
    const auto selected = m_seatTotals->selectionModel()->selectedRows();
    if (!selected.isEmpty())
        m_board->seatSelection = selected.front().row();
    showComparison();
}

void ApportionForm::undo()
{
    const Board before = *m_board;
    m_history.Undo(*m_board);
    showBoard(Operation::History);
    m_status->report(QString::fromStdString(ReportHistoryStep(before, *m_board, false)));
}

void ApportionForm::redo()
{
    const Board before = *m_board;
    m_history.Redo(*m_board);
    showBoard(Operation::History);
    m_status->report(QString::fromStdString(ReportHistoryStep(before, *m_board, true)));
}

void ApportionForm::newExample()
{
    if (m_board->enterEnabled)
        return;
    m_history.NewExample(*m_board);
    showBoard(Operation::NewExample);
    m_status->report(QString::fromStdString(ReportNewExample()));
}

void ApportionForm::copyTable()
{
    copyWorkedTable(*m_board, comparedThreshold());
    m_status->report(QString::fromStdString(ReportCopied(*m_board)));
}

void ApportionForm::refuseCopy()
{
    m_status->report(QString::fromStdString(ReportNothingToCopy(*m_board)));
}

QString ApportionForm::statusReport() const { return m_status->reported(); }

void ApportionForm::openComparison()
{
    if (!m_comparison) {
        m_comparison = new ComparisonWindow(this);
        // The main window's shortcuts work while the comparison is the active window too; its
        // copy keys copy the comparison there.
        for (QAction* action :
            { m_actions->newExample, m_actions->undo, m_actions->redo, m_actions->print,
                m_actions->compare, m_actions->zoomIn, m_actions->zoomOut, m_actions->zoomReset })
            m_comparison->addAction(action);
        connect(m_comparison, &ComparisonWindow::thresholdChanged, this,
            &ApportionForm::showComparison);
        m_comparisonStale = true;
        m_comparison->setZoomedFont(m_zoom.font());
        updateComparison(true);
        m_comparison->placeBeside(*this);
    }
    updateComparison(true);
    m_comparison->bringForward();
}

void ApportionForm::printTable(QPrinter& printer) const
{
    printWorkedTable(*m_board, printer, comparedThreshold());
}

double ApportionForm::comparedThreshold() const
{
    return m_comparison ? m_comparison->threshold() : 0;
}

void ApportionForm::setZoomPercent(int percent)
{
    if (m_zoom.setPercent(percent, *this))
        applyZoom();
    showZoomActions();
}

void ApportionForm::zoomBy(int steps)
{
    if (m_zoom.stepBy(steps, *this))
        applyZoom();
    showZoomActions();
}

void ApportionForm::applyZoom()
{
    placeControls();
    // Tooltips and menus are windows of their own: they take the zoomed font only when given it.
    QToolTip::setFont(m_zoom.font());
    if (m_comparison)
        m_comparison->setZoomedFont(m_zoom.font());
    showZoomActions();
}

void ApportionForm::contextMenuEvent(QContextMenuEvent* event)
{
    // The window may have moved to another screen since the zoom was last set.
    showZoomActions();
    openContextMenu(*m_actions, this, event->globalPos(), m_zoom.font());
    event->accept();
}

void ApportionForm::showBoard(Operation operation)
{
    for (int i = 0; i < partyCount; ++i) {
        const auto entryText = QString::fromStdString(m_board->parties[i].entryText);
        if (m_voteBoxes[i]->text() != entryText) {
            const QSignalBlocker blocker(m_voteBoxes[i]);
            m_voteBoxes[i]->setText(entryText);
        }
    }
    for (QuotientModel* model : m_quotientModels)
        model->showBoard();

    // A new series is shown from its first divisor, wherever the old highlight had scrolled the
    // list. Entering the votes and clearing leave the highlight, which the user may have moved.
    if (m_divisorModel->showBoard())
        m_divisorList->scrollToTop();
    if (operation != Operation::EnterVotes && operation != Operation::ClearAll)
        showDivisorSelection();

    m_commands->button(0)->setEnabled(m_board->enterEnabled);

    if (m_board->method) {
        const QSignalBlocker blocker(m_methods);
        m_methods->button(static_cast<int>(*m_board->method))->setChecked(true);
        // The option group is one tab stop, at its checked option, from either direction; the
        // arrow keys move within it. Qt only arranges this once an option has had the focus.
        for (QAbstractButton* option : m_methods->buttons())
            option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }

    const int seatRow = m_board->seatSelection.value_or(-1);
    if (seatRow >= 0 && seatRow < m_seatTotals->count()
        && !m_seatTotals->item(seatRow)->isSelected()) {
        const QSignalBlocker blocker(m_seatTotals);
        m_seatTotals->setCurrentRow(seatRow);
    }

    // The row a seat wrote, or the last one an undo or redo left, comes into view in all five.
    if (operation == Operation::GiveNextSeat || operation == Operation::History)
        m_scrollLink->showLastRow();
    showHistoryActions();
    // A seat turn changes neither the votes nor the seat total.
    if (operation != Operation::GiveNextSeat)
        showComparison();
}

void ApportionForm::showDivisorSelection()
{
    const int row = m_board->divisorSelection.value_or(-1);
    if (row < 0 || row >= m_divisorModel->rowCount()) {
        m_divisorList->selectionModel()->clearSelection();
        return;
    }
    const QModelIndex divisor = m_divisorModel->index(row);
    m_divisorList->selectionModel()->setCurrentIndex(divisor, QItemSelectionModel::ClearAndSelect);
    m_divisorList->scrollTo(divisor);
}

void ApportionForm::showHistoryActions()
{
    m_actions->newExample->setEnabled(!m_board->enterEnabled);
    m_actions->undo->setEnabled(m_history.CanUndo());
    m_actions->redo->setEnabled(m_history.CanRedo());
    const bool hasTable = !m_board->parties[0].rows.empty();
    m_actions->copy->setEnabled(hasTable);
    m_actions->nothingToCopy->setEnabled(!hasTable);
    m_actions->print->setEnabled(hasTable);
}

void ApportionForm::showZoomActions()
{
    m_actions->zoomIn->setEnabled(m_zoom.canZoomIn(*this));
    m_actions->zoomOut->setEnabled(m_zoom.canZoomOut());
    m_actions->zoomReset->setEnabled(m_zoom.canZoomOut());
}

void ApportionForm::showComparison() { updateComparison(false); }

void ApportionForm::updateComparison(bool evenHidden)
{
    const double threshold = comparedThreshold();
    Compared inputs { VoteTexts(m_board->parties), m_board->SeatTotal(), threshold };
    const bool windowBehind = m_comparison && m_comparisonStale;
    if (m_compared == inputs && !(windowBehind && (evenHidden || m_comparison->isVisible())))
        return;
    // The main window's options have no threshold; only the comparison window does.
    const MethodComparison comparison = CompareMethods(*m_board, threshold);
    const MethodComparison withoutThreshold
        = threshold > 0 ? CompareMethods(*m_board) : MethodComparison {};
    m_compared = std::move(inputs);
    for (const MethodResult& result : (threshold > 0 ? withoutThreshold : comparison).methods) {
        QAbstractButton* option = m_methods->button(static_cast<int>(result.method));
        const QString seats = QString::fromStdString(SeatsSummary(result));
        option->setToolTip(seats);
        option->setAccessibleDescription(seats);
    }
    // A closed comparison is brought up to date when it is opened again.
    if (m_comparison && (evenHidden || m_comparison->isVisible())) {
        m_comparison->showComparison(comparison);
        m_comparisonStale = false;
    } else if (m_comparison) {
        m_comparisonStale = true;
    }
}
