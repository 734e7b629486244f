#include "window/form/apportion_form.h"

#include "core/action_report.h"
#include "core/comparison_table.h"
#include "core/results_table.h"
#include "window/comparison/comparison_window.h"
#include "window/form/command_button.h"
#include "window/form/form_actions.h"
#include "window/form/form_layout.h"
#include "window/form/form_style.h"
#include "window/form/menu_routing.h"
#include "window/form/party_area.h"
#include "window/form/static_texts.h"
#include "window/form/status_line.h"
#include "window/form/text_box_keys.h"
#include "window/lists/divisor_model.h"
#include "window/lists/row_delegate.h"
#include "window/lists/row_list.h"
#include "window/lists/seat_list.h"
#include "window/output/table_output.h"

#include <QAction>
#include <QButtonGroup>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QToolTip>

#include <algorithm>

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

    // The rows of every list are drawn by one delegate, which keeps its fonts between repaints.
    auto* rows = new RowDelegate(this);
    m_parties = new PartyArea(m_board, textBoxKeys, rows, m_labels[0], this);
    // The title stays over the area, which starts at the window's corner.
    m_labels[0]->raise();
    textBoxKeys->setPasteHandler([this](QLineEdit* box) { return pasteTable(box); });

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

    m_divisorList->setItemDelegate(rows);
    m_seatTotals->setItemDelegate(rows);
}

void ApportionForm::placeControls()
{
    const double zoom = m_zoom.factor();
    const bool names = namesShown();
    const int down = names ? layout::namesRowHeight : 0;
    m_zoom.setExtraHeight(down);
    const QFont font = m_zoom.font();
    setFont(font);

    // Parties past the drawn five widen the window as far as its screen allows; past that, the
    // party area scrolls sideways. Whatever stands right of the columns moves right with them,
    // and the title, the explanation and the status line widen with the window.
    const int count = static_cast<int>(m_board->parties.size());
    int wider = layout::toPixels(layout::extraPartyWidth(count), zoom);
    const QSize drawn = layout::clientSize(zoom, down);
    if (const QScreen* shown = screen()) {
        const int frame = frameGeometry().width() - width();
        wider = std::clamp(shown->availableGeometry().width() - frame - drawn.width(), 0, wider);
    }
    setFixedSize(drawn + QSize(wider, 0));
    m_columnsPlaced = count;
    m_namesPlaced = names;

    const auto at = [zoom, down](layout::Twips t) {
        return layout::toPixels(
            t.top >= layout::voteBox.top ? layout::shiftedDown(t, down) : t, zoom);
    };
    const auto right = [&at, wider](layout::Twips t) { return at(t).translated(wider, 0); };
    const auto across = [&at, wider](layout::Twips t) { return at(t).adjusted(0, 0, wider, 0); };

    m_texts[0]->setGeometry(across(layout::texts[0]));
    m_texts[1]->setGeometry(at(layout::texts[1]));
    m_labels[0]->setGeometry(across(layout::labels[0]));
    m_labels[1]->setGeometry(right(layout::labels[1]));
    m_labels[2]->setGeometry(right(layout::labels[2]));
    m_parties->move(0, 0);
    m_parties->place(zoom,
        layout::toPixels(layout::partyColumnsEnd(layout::drawnPartyCount), zoom) + wider, names);
    for (int i = 0; i < 3; ++i)
        m_commands->button(i)->setGeometry(at(layout::commands[i]));
    m_divisorList->setGeometry(right(layout::divisorList));
    m_methodFrame->setGeometry(right(layout::methodFrame));
    for (int k = 0; k < divisorMethodCount; ++k) {
        m_methods->button(k)->setGeometry(layout::toPixels(
            layout::shiftedDown(layout::methodOption, k * layout::methodOption.height), zoom));
    }
    m_seatTotals->setGeometry(right(layout::seatTotals));
    m_status->setGeometry(across(layout::statusLine));

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
    connect(m_parties, &PartyArea::votesEdited, this, &ApportionForm::editVotes);
    connect(m_parties, &PartyArea::nameEdited, this, &ApportionForm::editName);
    connect(m_actions->addParty, &QAction::triggered, this, &ApportionForm::addParty);
    connect(m_actions->removeParty, &QAction::triggered, this, &ApportionForm::removeParty);
    connect(m_actions->nameParties, &QAction::triggered, this, &ApportionForm::nameParties);
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
    if (party < 0 || static_cast<std::size_t>(party) >= m_board->parties.size())
        return;
    m_board->parties[static_cast<std::size_t>(party)].entryText = text.toStdString();
    showComparison();
}

void ApportionForm::editName(int party, const QString& text)
{
    if (party < 0 || static_cast<std::size_t>(party) >= m_board->parties.size())
        return;
    m_board->parties[static_cast<std::size_t>(party)].name = text.toStdString();
    m_parties->showBoard();
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

void ApportionForm::addParty()
{
    const std::size_t before = m_board->parties.size();
    m_history.AddParty(*m_board);
    if (m_board->parties.size() == before)
        return;
    showBoard(Operation::Parties);
    m_status->report(QString::fromStdString(ReportPartyAdded(*m_board)));
    if (QLineEdit* added = m_parties->voteBox(static_cast<int>(before))) {
        added->setFocus();
        m_parties->showColumnOf(added);
    }
}

void ApportionForm::removeParty()
{
    const std::size_t before = m_board->parties.size();
    m_history.RemoveLastParty(*m_board);
    if (m_board->parties.size() == before)
        return;
    showBoard(Operation::Parties);
    m_status->report(QString::fromStdString(ReportPartyRemoved(*m_board)));
}

void ApportionForm::nameParties()
{
    m_namesAsked = true;
    showBoard(Operation::Parties);
    if (QLineEdit* first = m_parties->nameBox(0))
        first->setFocus();
}

bool ApportionForm::pasteTable(QLineEdit* box)
{
    int party = -1;
    for (int i = 0; i < m_parties->columnCount(); ++i) {
        if (m_parties->voteBox(i) == box)
            party = i;
    }
    if (party < 0 || !m_board->CanChangeParties())
        return false;
    const auto table = ReadResultsTable(
        QGuiApplication::clipboard()->text().toStdString(), maxPartyCount - party);
    if (!table)
        return false;
    std::vector<Board::PartyFill> fill;
    bool named = false;
    for (const auto& pasted : table->parties) {
        fill.push_back({ pasted.name, pasted.votes });
        named = named || !pasted.name.empty();
    }
    m_history.FillParties(*m_board, party, fill);
    showBoard(Operation::Parties);
    m_status->report(QString::fromStdString(ReportTablePasted(*m_board, party,
        static_cast<int>(fill.size()), named, table->leftOut, table->leftOutVotes)));
    return true;
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
    m_parties->showBoard();
    // A party added or taken away, or the names' row coming or going, changes the window's size.
    if (static_cast<int>(m_board->parties.size()) != m_columnsPlaced
        || namesShown() != m_namesPlaced) {
        // The window may no longer fit its screen at this zoom with the names' row.
        m_zoom.setExtraHeight(namesShown() ? layout::namesRowHeight : 0);
        m_zoom.setPercent(m_zoom.percent(), *this);
        applyZoom();
    }

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
    if (operation == Operation::GiveNextSeat || operation == Operation::History) {
        m_parties->showLastRow(
            m_board->seatHistory.empty() ? 0 : m_board->seatHistory.back().winner);
    }
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
    const bool hasTable = !m_board->CanChangeParties();
    m_actions->copy->setEnabled(hasTable);
    m_actions->nothingToCopy->setEnabled(!hasTable);
    m_actions->print->setEnabled(hasTable);
    showPartyActions();
}

void ApportionForm::showPartyActions()
{
    const bool canChange = m_board->CanChangeParties();
    const auto count = static_cast<int>(m_board->parties.size());
    m_actions->addParty->setEnabled(canChange && count < maxPartyCount);
    m_actions->removeParty->setEnabled(canChange && count > minPartyCount);
}

bool ApportionForm::namesShown() const
{
    return m_namesAsked
        || std::any_of(m_board->parties.begin(), m_board->parties.end(),
            [](const PartyColumn& party) { return !party.name.empty(); });
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
    Compared inputs { VoteTexts(m_board->parties), NamesOf(m_board->parties), m_board->SeatTotal(),
        threshold };
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
