#include "window/form/apportion_form.h"

#include "core/input/results_table.h"
#include "core/numbers/number_text.h"
#include "core/teaching/action_report.h"
#include "window/chamber/hemicycle_window.h"
#include "window/comparison/comparison_link.h"
#include "window/form/clipboard_table.h"
#include "window/form/form_actions.h"
#include "window/form/form_controls.h"
#include "window/form/form_layout.h"
#include "window/form/menu_routing.h"
#include "window/form/party_area.h"
#include "window/form/status_line.h"
#include "window/form/text_box_keys.h"
#include "window/lessons/lesson_dialog.h"
#include "window/lessons/lesson_files.h"
#include "window/lessons/lesson_keeper.h"
#include "window/lists/divisor_model.h"
#include "window/lists/seat_list.h"
#include "window/output/table_output.h"

#include <QAction>
#include <QButtonGroup>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolTip>

#include <algorithm>

using namespace apportion;
namespace layout = form_layout;

namespace {

// When a lesson was kept: the time alone where it was today.
QString keptTime(const QDateTime& when)
{
    return when.date() == QDate::currentDate() ? when.toString(QStringLiteral("HH:mm"))
                                               : when.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
}

int seatsGivenIn(const Lesson& lesson)
{
    int given = lesson.seatsGiven.value_or(0);
    for (const auto& run : lesson.earlierSeats)
        given += run.seats;
    return given;
}

} // namespace

ApportionForm::ApportionForm(QWidget* parent)
    : QWidget(parent)
    , m_board(std::make_shared<Board>())
{
    setWindowIcon(QIcon(QStringLiteral(":/icons/apportion.xpm")));
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(192, 192, 255));
    setPalette(background);
    setAutoFillBackground(true);

    m_controls = std::make_unique<FormControls>(m_board, this);
    m_controls->textBoxKeys->setPasteHandler([this](QLineEdit* box) { return pasteTable(box); });
    m_controls->status->report(QString::fromStdString(ReportStart()));
    connect(m_controls->status, &StatusLine::linesChanged, this, &ApportionForm::refit);
    m_actions = new FormActions(this);
    m_comparison = new ComparisonLink(m_board, m_controls->methods, this);
    m_lessonFiles = new LessonFiles(this);
    m_keeper = new LessonKeeper(this);
    showCaption();
    connectEvents();

    // The window's load: D'Hondt and the seat total 7, shown before the window first is.
    m_board->LoadWindow();
    showBoard(Operation::LoadWindow);
    // The lessons kept by windows that are gone are offered, the newest in the line.
    m_keeper->setStart(lesson());
    const std::vector<LessonKeeper::Kept> offers = showKeptLessons();
    if (!offers.empty()) {
        const LessonKeeper::Kept& newest = offers.front();
        m_controls->status->report(QString::fromStdString(ReportLastLessonOffered(
            keptTime(newest.when).toStdString(), newest.lesson.title, seatsGivenIn(newest.lesson),
            newest.lesson.seatTotal, static_cast<int>(offers.size()) - 1)));
    }
    applyZoom();
}

ApportionForm::~ApportionForm()
{
    // The last action is kept while the window is whole; the keeper, a child, outlives the
    // controls it would report to.
    m_keeper->flush();
    disconnect(m_keeper, nullptr, this, nullptr);
}

void ApportionForm::connectEvents()
{
    connect(m_controls->commands, &QButtonGroup::idClicked, this, &ApportionForm::runCommand);
    connect(m_controls->methods, &QButtonGroup::idToggled, this, &ApportionForm::selectMethod);
    connect(m_controls->parties, &PartyArea::votesEdited, this, &ApportionForm::editVotes);
    connect(m_controls->parties, &PartyArea::nameEdited, this, &ApportionForm::editName);
    connect(m_controls->parties, &PartyArea::leftLastVoteBox, this, [this] {
        QAbstractButton* next = m_controls->commands->button(m_board->enterEnabled ? 0 : 1);
        next->setFocus(Qt::TabFocusReason);
    });
    connect(m_actions->addParty, &QAction::triggered, this, &ApportionForm::addParty);
    connect(m_actions->removeParty, &QAction::triggered, this, &ApportionForm::removeParty);
    connect(m_actions->nameParties, &QAction::triggered, this, &ApportionForm::nameParties);
    connect(m_controls->seatTotals, &QListWidget::itemSelectionChanged, this,
        &ApportionForm::selectSeatTotal);

    connect(m_actions->newExample, &QAction::triggered, this, &ApportionForm::newExample);
    connect(m_actions->undo, &QAction::triggered, this, [this] { undo(); });
    connect(m_actions->redo, &QAction::triggered, this, [this] { redo(); });
    connect(m_actions->nothingToUndo, &QAction::triggered, this, [this] { undo(); });
    connect(m_actions->nothingToRedo, &QAction::triggered, this, [this] { redo(); });
    connect(m_comparison, &ComparisonLink::historyAsked, this,
        [this](bool again) { again ? redo(true) : undo(true); });
    connect(m_actions->copy, &QAction::triggered, this, &ApportionForm::copyTable);
    connect(m_actions->nothingToCopy, &QAction::triggered, this, &ApportionForm::refuseCopy);
    connect(m_actions->print, &QAction::triggered, this,
        [this] { printWorkedTableWithDialog(*m_board, this); });
    connect(m_actions->compare, &QAction::triggered, this, &ApportionForm::openComparison);
    connect(m_actions->hemicycle, &QAction::triggered, this, &ApportionForm::openHemicycle);
    connect(m_actions->guessMode, &QAction::toggled, this, &ApportionForm::setGuessing);
    for (QAction* key : m_actions->guessKeys) {
        connect(
            key, &QAction::triggered, this, [this, key] { guessByKey(key->data().toInt() % 10); });
    }
    connect(m_controls->parties, &PartyArea::columnPressed, this, &ApportionForm::guessParty);
    connect(m_actions->saveLesson, &QAction::triggered, this, [this] { saveLesson(false); });
    connect(m_actions->saveLessonAs, &QAction::triggered, this, [this] { saveLesson(true); });
    connect(m_actions->openLesson, &QAction::triggered, this, &ApportionForm::openLessonFromDialog);
    connect(m_lessonFiles, &LessonFiles::pathChanged, this, &ApportionForm::showCaption);
    connect(m_actions->lastLesson, &QAction::triggered, this, &ApportionForm::bringBackLastLesson);
    connect(
        m_actions->nextVoteColumn, &QAction::triggered, this, &ApportionForm::takeNextVoteColumn);
    connect(m_actions->lessonTitle, &QAction::triggered, this, [this] { askLesson(true); });
    connect(m_actions->voteCount, &QAction::triggered, this, [this] { askLesson(false); });
    connect(m_comparison, &ComparisonLink::countChosen, this, &ApportionForm::changeVoteCount);
    for (QAction* example : m_actions->examples) {
        connect(example, &QAction::triggered, this, [this, example] {
            const QString path = example->data().toString();
            if (const auto opened = m_lessonFiles->readExample(path))
                showLesson(*opened, QFileInfo(path).fileName());
        });
    }
    connect(m_lessonFiles, &LessonFiles::said, m_controls->status, &StatusLine::report);
    connect(m_keeper, &LessonKeeper::notKept, this, [this](const QString& why) {
        m_controls->status->report(QString::fromStdString(ReportLessonNotKept(why.toStdString())));
    });
    connect(m_actions->zoomIn, &QAction::triggered, this, [this] { zoomBy(1); });
    connect(m_actions->zoomOut, &QAction::triggered, this, [this] { zoomBy(-1); });
    connect(m_actions->zoomReset, &QAction::triggered, this, [this] { setZoomPercent(100); });
    connect(m_actions->showMenu, &QAction::triggered, this, [this] {
        showKeptLessons();
        openContextMenuFromKeyboard(*m_actions, this, m_zoom.font());
    });
}

void ApportionForm::runCommand(int index)
{
    switch (index) {
    case 0:
        m_history.EnterVotes(*m_board);
        showBoard(Operation::EnterVotes);
        m_controls->status->report(QString::fromStdString(ReportVotesEntered(*m_board)));
        break;
    case 1: {
        const std::size_t seatsBefore = m_board->seatHistory.size();
        m_history.GiveNextSeat(*m_board);
        // A refused seat changes nothing, not even the divisor highlight the user moved; the
        // line says why and what lets the allocation go on.
        if (m_board->seatHistory.size() != seatsBefore) {
            // A guess is judged by the seat it waited for; a seat with none is simply given.
            const std::optional<int> guessed = m_guess;
            forgetGuess();
            showBoard(Operation::GiveNextSeat);
            m_controls->status->report(QString::fromStdString(
                guessed ? JudgeGuess(*m_board, *guessed, m_score) : ReportSeat(*m_board)));
        } else {
            m_controls->status->report(QString::fromStdString(ReportNoSeat(*m_board)));
        }
        break;
    }
    case 2:
        m_history.ClearAll(*m_board);
        showBoard(Operation::ClearAll);
        m_controls->status->report(QString::fromStdString(ReportCleared()));
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
    m_controls->status->report(QString::fromStdString(ReportMethod(*m_board)));
}

void ApportionForm::editVotes(int party, const QString& text)
{
    if (party < 0 || static_cast<std::size_t>(party) >= m_board->parties.size())
        return;
    m_board->parties[static_cast<std::size_t>(party)].entryText = text.toStdString();
    forgetPaste();
    // Votes typed may bring a party over the threshold's line or under it.
    m_controls->parties->showThreshold();
    showComparison();
    keepLesson();
}

void ApportionForm::editName(int party, const QString& text)
{
    if (party < 0 || static_cast<std::size_t>(party) >= m_board->parties.size())
        return;
    m_board->parties[static_cast<std::size_t>(party)].name = text.toStdString();
    forgetPaste();
    m_controls->parties->showBoard();
    showComparison();
    keepLesson();
}

void ApportionForm::forgetPaste()
{
    // A box typed in since: the paste is no longer what another column would replace.
    if (!m_pasted)
        return;
    m_pasted.reset();
    m_actions->nextVoteColumn->setEnabled(false);
}

void ApportionForm::selectSeatTotal()
{
    const auto selected = m_controls->seatTotals->selectionModel()->selectedRows();
    if (!selected.isEmpty())
        m_board->seatSelection = selected.front().row();
    m_controls->status->report(QString::fromStdString(ReportSeatTotal(*m_board)));
    showComparison();
    keepLesson();
}

void ApportionForm::undo(bool inComparison)
{
    const Board before = *m_board;
    m_history.Undo(*m_board);
    showBoard(Operation::History);
    reportHistoryStep(ReportHistoryStep(before, *m_board, false), inComparison);
}

void ApportionForm::redo(bool inComparison)
{
    const Board before = *m_board;
    m_history.Redo(*m_board);
    showBoard(Operation::History);
    reportHistoryStep(ReportHistoryStep(before, *m_board, true), inComparison);
}

void ApportionForm::reportHistoryStep(const std::string& report, bool inComparison)
{
    const QString text = QString::fromStdString(report);
    m_controls->status->report(text);
    if (inComparison)
        m_comparison->say(text);
}

void ApportionForm::changeVoteCount(const VoteCount& count, bool continuing)
{
    const Board before = *m_board;
    m_history.SetVoteCount(*m_board, count, continuing);
    if (*m_board == before)
        return;
    showBoard(Operation::History);
    m_controls->status->report(QString::fromStdString(ReportVoteCount(before, *m_board)));
}

Lesson ApportionForm::lesson() const { return LessonOf(*m_board); }

void ApportionForm::saveLesson(bool asked)
{
    if (asked)
        m_lessonFiles->saveAs(lesson());
    else
        m_lessonFiles->save(lesson());
}

void ApportionForm::openLessonFromDialog()
{
    if (const auto opened = m_lessonFiles->open())
        showLesson(*opened, QFileInfo(m_lessonFiles->path()).fileName());
}

bool ApportionForm::openLesson(const QString& path)
{
    const auto opened = m_lessonFiles->read(path);
    if (opened)
        showLesson(*opened, QFileInfo(path).fileName());
    return opened.has_value();
}

void ApportionForm::showLesson(const Lesson& opened, const QString& name)
{
    m_history.ReplaceBoard(*m_board, BoardOf(opened));
    showBoard(Operation::History);
    m_controls->status->report(
        QString::fromStdString(ReportLessonOpened(*m_board, name.toStdString())));
}

void ApportionForm::keepLesson() { m_keeper->keep(lesson()); }

void ApportionForm::bringBackLastLesson() { showKeptLesson(m_keeper->nextOffer()); }

void ApportionForm::showKeptLesson(const std::optional<LessonKeeper::Kept>& kept)
{
    if (!kept) {
        m_controls->status->report(
            QStringLiteral("Няма друг запазен урок: всеки е отворен в прозорец."));
        showKeptLessons();
        return;
    }
    showLesson(kept->lesson, QString());
    m_controls->status->report(QString::fromStdString(ReportLastLessonBack(
        *m_board, kept->when.toString(QStringLiteral("dd.MM.yyyy HH:mm")).toStdString())));
    showKeptLessons();
}

std::vector<LessonKeeper::Kept> ApportionForm::showKeptLessons()
{
    std::vector<LessonKeeper::Kept> offers = m_keeper->offers();
    qDeleteAll(m_actions->keptLessons);
    m_actions->keptLessons.clear();
    for (const LessonKeeper::Kept& kept : offers) {
        auto* action = new QAction(
            QString::fromStdString(KeptLessonSummary(keptTime(kept.when).toStdString(),
                kept.lesson.title, seatsGivenIn(kept.lesson), kept.lesson.seatTotal)),
            m_actions);
        const QString path = kept.path;
        connect(action, &QAction::triggered, this,
            [this, path] { showKeptLesson(m_keeper->bringBack(path)); });
        m_actions->keptLessons << action;
    }
    m_actions->lastLesson->setEnabled(!offers.empty());
    return offers;
}

void ApportionForm::showCaption()
{
    QString caption = QStringLiteral("Математика - системи за разпределение на мандати");
    if (!m_board->title.empty())
        caption += QStringLiteral(" — ") + QString::fromStdString(m_board->title);
    const QString path = m_lessonFiles->path();
    if (!path.isEmpty())
        caption += QStringLiteral(" — ") + QFileInfo(path).fileName();
    if (caption != windowTitle())
        setWindowTitle(caption);
}

void ApportionForm::askLesson(bool forTitle)
{
    auto* dialog = new LessonDialog(m_board->title, m_board->source, m_board->voteCount,
        forTitle ? LessonDialog::Part::Title : LessonDialog::Part::VoteCount, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFont(m_zoom.font());
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const Board before = *m_board;
        m_history.SetTitle(*m_board, dialog->title(), dialog->source());
        if (m_board->title != before.title || m_board->source != before.source) {
            showBoard(Operation::History);
            m_controls->status->report(QString::fromStdString(ReportTitle(*m_board)));
        }
        changeVoteCount(dialog->count(), false);
    });
    dialog->open();
}

void ApportionForm::showVoteCountAction()
{
    const VoteCount& count = m_board->voteCount;
    QString caption = QStringLiteral("Праг и други гласове…");
    if (count.threshold > 0)
        caption += QStringLiteral(" (праг %1 %)")
                       .arg(QString::fromStdString(FormatShortest(count.threshold)));
    if (caption != m_actions->voteCount->text())
        m_actions->voteCount->setText(caption);
}

void ApportionForm::newExample()
{
    if (m_board->enterEnabled)
        return;
    m_history.NewExample(*m_board);
    showBoard(Operation::NewExample);
    m_controls->status->report(QString::fromStdString(ReportNewExample()));
}

void ApportionForm::addParty()
{
    const std::size_t before = m_board->parties.size();
    m_history.AddParty(*m_board);
    if (m_board->parties.size() == before)
        return;
    showBoard(Operation::Parties);
    m_controls->status->report(QString::fromStdString(ReportPartyAdded(*m_board)));
    if (QLineEdit* added = m_controls->parties->voteBox(static_cast<int>(before))) {
        added->setFocus();
        m_controls->parties->showColumnOf(added);
    }
}

void ApportionForm::removeParty()
{
    const std::size_t before = m_board->parties.size();
    m_history.RemoveLastParty(*m_board);
    if (m_board->parties.size() == before)
        return;
    showBoard(Operation::Parties);
    m_controls->status->report(QString::fromStdString(ReportPartyRemoved(*m_board)));
}

void ApportionForm::nameParties()
{
    m_namesAsked = true;
    showBoard(Operation::Parties);
    if (QLineEdit* first = m_controls->parties->nameBox(0))
        first->setFocus();
}

bool ApportionForm::pasteTable(QLineEdit* box)
{
    int party = -1;
    for (int i = 0; i < m_controls->parties->columnCount(); ++i) {
        if (m_controls->parties->voteBox(i) == box || m_controls->parties->nameBox(i) == box)
            party = i;
    }
    if (party < 0)
        return false;
    const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
    const auto text = ClipboardTableText(clipboard);
    if (!text) {
        // Nothing the box could paste either (a picture, or HTML with no table): say so rather
        // than let the box's paste empty its selection.
        if (clipboard && !clipboard->hasText() && !clipboard->formats().isEmpty()) {
            m_controls->status->report(
                QStringLiteral("На клипборда няма текст или таблица за поставяне в кутията."));
            return true;
        }
        return false;
    }
    if (!ReadResultsTable(*text, maxPartyCount - party))
        return false;
    if (!m_board->CanChangeParties()) {
        m_controls->status->report(QString::fromStdString(ReportTableNotPasted()));
        return true;
    }
    fillFromTable(party, *text, 0);
    return true;
}

void ApportionForm::fillFromTable(int first, const std::string& text, int choice)
{
    const auto table = ReadResultsTable(text, maxPartyCount - first, choice);
    if (!table)
        return;
    std::vector<Board::PartyFill> fill;
    for (const auto& pasted : table->parties)
        fill.push_back({ pasted.name, pasted.votes });
    // The votes of the rows past twelve count towards the threshold's base: into the other
    // votes. A table pasted from the first column on is another election: the title, the
    // source and the other votes of the one before no longer describe it, and are cleared (the
    // rows past twelve then are the other votes); the threshold is the law's, and stays.
    constexpr long long mostOthers = 2'147'483'647; // as many as a lesson file holds
    const Board before = *m_board;
    Board pasted = before;
    pasted.FillParties(first, fill);
    const auto leftOut = static_cast<long long>(
        std::min<std::uint64_t>(table->leftOutVotes, static_cast<std::uint64_t>(mostOthers)));
    if (first == 0) {
        pasted.title.clear();
        pasted.source.clear();
        pasted.voteCount.otherVotes = leftOut;
    } else {
        pasted.voteCount.otherVotes = std::min(mostOthers, before.voteCount.otherVotes + leftOut);
    }
    if (pasted.title != before.title || pasted.source != before.source
        || pasted.voteCount != before.voteCount)
        m_history.ReplaceBoard(*m_board, std::move(pasted));
    else
        m_history.FillParties(*m_board, first, fill);
    showBoard(Operation::Parties);
    std::string report = ReportTablePasted(*m_board, first, *table);
    if (first == 0) {
        const std::string said = ReportLessonInputsCleared(before);
        if (!said.empty())
            report += " " + said;
    }
    m_controls->status->report(QString::fromStdString(report));
    m_pasted = Pasted { text, first, table->choice, table->choices, *m_board };
    showPartyActions();
}

void ApportionForm::takeNextVoteColumn()
{
    // The action is enabled only while the board stands as the paste left it, with another
    // column to take.
    if (!m_pasted || m_pasted->choices < 2 || m_pasted->after != *m_board)
        return;
    const Pasted last = *m_pasted;
    m_history.Undo(*m_board);
    fillFromTable(last.first, last.text, last.choice + 1);
}

void ApportionForm::copyTable()
{
    copyWorkedTable(*m_board);
    m_controls->status->report(QString::fromStdString(ReportCopied(*m_board)));
}

void ApportionForm::refuseCopy()
{
    m_controls->status->report(QString::fromStdString(ReportNothingToCopy(*m_board)));
}

const ComparisonWindow* ApportionForm::comparisonWindow() const { return m_comparison->window(); }

void ApportionForm::openHemicycle()
{
    if (!m_hemicycle) {
        m_hemicycle = new HemicycleWindow(m_board, this);
        // The main window's keys for the lesson and its history work in it too.
        m_hemicycle->addActions({ m_actions->newExample, m_actions->undo, m_actions->redo,
            m_actions->compare, m_actions->hemicycle, m_actions->guessMode, m_actions->zoomIn,
            m_actions->zoomOut, m_actions->zoomReset });
        m_hemicycle->addActions(m_actions->guessKeys);
        m_hemicycle->setZoomedFont(m_zoom.font());
        m_hemicycle->placeBeside(*this);
    }
    m_hemicycle->bringForward();
}

void ApportionForm::setGuessing(bool on)
{
    if (on == m_guessing)
        return;
    m_guessing = on;
    forgetGuess();
    for (QAction* key : m_actions->guessKeys)
        key->setEnabled(on);
    if (on)
        m_score = {};
    m_controls->status->report(
        QString::fromStdString(on ? ReportGuessingOn(*m_board) : ReportGuessingOff(m_score)));
}

void ApportionForm::guessParty(int party)
{
    if (!m_guessing)
        return;
    if (!CanGuess(*m_board, party)) {
        m_controls->status->report(QString::fromStdString(ReportNoGuess(*m_board, party)));
        return;
    }
    m_guess = party;
    m_controls->parties->markGuess(party);
    m_controls->status->report(QString::fromStdString(ReportGuessTaken(*m_board, party)));
}

void ApportionForm::guessByKey(int digit)
{
    const auto parties = static_cast<int>(m_board->parties.size());
    int party = digit == 0 ? 10 : digit;
    // "1" and a second digit soon after: the tenth to the twelfth party.
    if (m_lastDigit == 1 && m_sinceDigit.isValid() && m_sinceDigit.elapsed() < 1000
        && 10 + digit <= parties)
        party = 10 + digit;
    m_lastDigit = digit;
    m_sinceDigit.start();
    guessParty(party - 1);
}

void ApportionForm::forgetGuess()
{
    m_guess.reset();
    m_controls->parties->markGuess(-1);
}

QString ApportionForm::statusReport() const { return m_controls->status->reported(); }

void ApportionForm::openComparison()
{
    m_comparison->open({ m_actions->newExample, m_actions->print, m_actions->compare,
                           m_actions->zoomIn, m_actions->zoomOut, m_actions->zoomReset },
        m_zoom.font(), plainPointSize());
}

void ApportionForm::printTable(QPrinter& printer) const { printWorkedTable(*m_board, printer); }

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

void ApportionForm::placeControls()
{
    const bool names = namesShown();
    m_zoom.setExtraHeight(extraHeight());
    const auto count = static_cast<int>(m_board->parties.size());
    const int lines = m_controls->status->lines();
    const QSize size
        = m_controls->place(*this, m_zoom.factor(), m_zoom.font(), count, names, lines);
    // The line under the controls, resized in placing, may have asked for a second line and
    // had the window placed again for it: that placing stands.
    if (m_controls->status->lines() != lines)
        return;
    setFixedSize(size);
    m_columnsPlaced = count;
    m_namesPlaced = names;
}

void ApportionForm::applyZoom()
{
    placeControls();
    // Tooltips and menus are windows of their own: they take the zoomed font only when given it.
    QToolTip::setFont(m_zoom.font());
    m_comparison->setFont(m_zoom.font(), plainPointSize());
    if (m_hemicycle)
        m_hemicycle->setZoomedFont(m_zoom.font());
    showZoomActions();
}

void ApportionForm::contextMenuEvent(QContextMenuEvent* event)
{
    // Windows may have closed since: their lessons are offered too.
    showKeptLessons();
    // The window may have moved to another screen since the zoom was last set.
    showZoomActions();
    openContextMenu(*m_actions, this, event->globalPos(), m_zoom.font());
    event->accept();
}

void ApportionForm::showBoard(Operation operation)
{
    m_controls->parties->showBoard();
    // A party added or taken away, or the names' row coming or going, changes the window's size.
    if (static_cast<int>(m_board->parties.size()) != m_columnsPlaced
        || namesShown() != m_namesPlaced) {
        refit();
    }

    // A new series is shown from its first divisor, wherever the old highlight had scrolled the
    // list. Entering the votes and clearing leave the highlight, which the user may have moved.
    if (m_controls->divisorModel->showBoard())
        m_controls->divisorList->scrollToTop();
    if (operation != Operation::EnterVotes && operation != Operation::ClearAll)
        showDivisorSelection();

    m_controls->commands->button(0)->setEnabled(m_board->enterEnabled);

    if (m_board->method) {
        const QSignalBlocker blocker(m_controls->methods);
        m_controls->methods->button(static_cast<int>(*m_board->method))->setChecked(true);
        // The option group is one tab stop, at its checked option, from either direction; the
        // arrow keys move within it. Qt only arranges this once an option has had the focus.
        for (QAbstractButton* option : m_controls->methods->buttons())
            option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }

    const int seatRow = m_board->seatSelection.value_or(-1);
    if (seatRow >= 0 && seatRow < m_controls->seatTotals->count()
        && !m_controls->seatTotals->item(seatRow)->isSelected()) {
        const QSignalBlocker blocker(m_controls->seatTotals);
        m_controls->seatTotals->setCurrentRow(seatRow);
    }

    // The row a seat wrote, or the last one an undo or redo left, comes into view in every list,
    // and the winner's column where the columns scroll sideways.
    if (operation == Operation::GiveNextSeat || operation == Operation::History) {
        m_controls->parties->showLastRow(
            m_board->seatHistory.empty() ? 0 : m_board->seatHistory.back().winner);
    }
    showHistoryActions();
    showVoteCountAction();
    showCaption();
    // A seat turn changes neither the votes nor the seat total.
    if (operation != Operation::GiveNextSeat)
        showComparison();
    if (operation != Operation::LoadWindow)
        keepLesson();
    // A guess for a party gone, or for a seat no longer to give, is dropped.
    if (m_guess && !CanGuess(*m_board, *m_guess))
        forgetGuess();
    if (m_hemicycle)
        m_hemicycle->boardChanged();
}

void ApportionForm::showDivisorSelection()
{
    const int row = m_board->divisorSelection.value_or(-1);
    if (row < 0 || row >= m_controls->divisorModel->rowCount()) {
        m_controls->divisorList->selectionModel()->clearSelection();
        return;
    }
    const QModelIndex divisor = m_controls->divisorModel->index(row);
    m_controls->divisorList->selectionModel()->setCurrentIndex(
        divisor, QItemSelectionModel::ClearAndSelect);
    m_controls->divisorList->scrollTo(divisor);
}

void ApportionForm::showHistoryActions()
{
    m_actions->newExample->setEnabled(!m_board->enterEnabled);
    m_actions->undo->setEnabled(m_history.CanUndo());
    m_actions->redo->setEnabled(m_history.CanRedo());
    m_actions->nothingToUndo->setEnabled(!m_history.CanUndo());
    m_actions->nothingToRedo->setEnabled(!m_history.CanRedo());
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
    m_actions->nextVoteColumn->setEnabled(
        canChange && m_pasted && m_pasted->choices > 1 && m_pasted->after == *m_board);
}

int ApportionForm::extraHeight() const
{
    return (namesShown() ? layout::namesRowHeight : 0)
        + (m_controls->status->lines() - 1) * layout::statusLine.height;
}

void ApportionForm::refit()
{
    // The window may no longer fit its screen at this zoom with the rows it has grown by.
    m_zoom.setExtraHeight(extraHeight());
    m_zoom.setPercent(m_zoom.percent(), *this);
    applyZoom();
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

void ApportionForm::showComparison()
{
    m_comparison->update();
    if (m_hemicycle)
        m_hemicycle->boardChanged();
}

qreal ApportionForm::plainPointSize() const { return m_zoom.font().pointSizeF() / m_zoom.factor(); }
