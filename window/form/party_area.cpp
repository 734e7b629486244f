#include "window/form/party_area.h"

#include "core/numbers/number_text.h"
#include "core/teaching/explanation.h"
#include "window/form/form_layout.h"
#include "window/form/name_box.h"
#include "window/lists/quotient_model.h"
#include "window/lists/row_list.h"
#include "window/lists/scroll_link.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <limits>

using namespace apportion;
namespace layout = form_layout;

namespace {

// The frame round the vote box of the party guessed to win the next seat: drawn over the box,
// which keeps its own look, and passing every click and key through to it.
class GuessFrame : public QWidget {
public:
    explicit GuessFrame(QWidget* box)
        : QWidget(box)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        box->installEventFilter(this);
        setGeometry(box->rect());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            setGeometry(static_cast<QWidget*>(watched)->rect());
        return QWidget::eventFilter(watched, event);
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const int line = std::max(3, height() / 8);
        painter.setPen(QPen(
            QColor(PartyArea::guessColour), line, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(line / 2.0, line / 2.0, -line / 2.0, -line / 2.0));
    }
};

} // namespace

namespace {

// A column out of the seats: its rows in a dark grey on white hatched with light grey, so the
// numbers stay readable from the back of a room, and its label in dark red.
const QColor underText(80, 80, 80);
const QColor hatchLine(200, 200, 200);
const QColor underLabel(150, 0, 0);
constexpr int hatchSize = 10; // pixels between the hatch's lines

const QString listDescription = QStringLiteral(
    "Гласовете на партията и нейното частно за всеки пореден мандат; частното, спечелило "
    "мандат, е удебелено и носи номера на мандата");

QBrush hatchedBase()
{
    QPixmap tile(hatchSize, hatchSize);
    tile.fill(Qt::white);
    QPainter painter(&tile);
    painter.setPen(hatchLine);
    painter.drawLine(0, hatchSize - 1, hatchSize - 1, 0);
    return QBrush(tile);
}

} // namespace

PartyArea::PartyArea(std::shared_ptr<const Board> board, QObject* textBoxKeys,
    QAbstractItemDelegate* rows, QWidget* before, QWidget* parent)
    : QScrollArea(parent)
    , m_board(std::move(board))
    , m_textBoxKeys(textBoxKeys)
    , m_rows(rows)
    , m_before(before)
    , m_columnsWidget(new QWidget)
{
    setObjectName(QStringLiteral("PartyArea"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The window's colour shows through, as behind the columns of the drawn window.
    m_columnsWidget->setObjectName(QStringLiteral("PartyColumns"));
    setWidget(m_columnsWidget);
    m_columnsWidget->setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);
    showBoard();
}

PartyArea::~PartyArea() = default;

QLineEdit* PartyArea::voteBox(int party) const
{
    return party >= 0 && party < columnCount() ? m_columns[static_cast<std::size_t>(party)].votes
                                               : nullptr;
}

QLineEdit* PartyArea::nameBox(int party) const
{
    return party >= 0 && party < columnCount() ? m_columns[static_cast<std::size_t>(party)].name
                                               : nullptr;
}

QListView* PartyArea::quotientList(int party) const
{
    return party >= 0 && party < columnCount() ? m_columns[static_cast<std::size_t>(party)].list
                                               : nullptr;
}

void PartyArea::addColumn()
{
    const int i = columnCount();
    Column column;
    // Created in tab order: the name, the list, then the vote box, as the drawn columns are.
    column.name = new NameBox(m_columnsWidget);
    column.name->setObjectName(layout::indexedName("Name", i));
    column.name->setPlaceholderText(QStringLiteral("Партия %1").arg(i + 1));
    column.name->setAccessibleDescription(QStringLiteral("Името на партията"));
    column.name->installEventFilter(m_textBoxKeys);
    column.name->installEventFilter(this);
    column.name->hide();

    column.model = new QuotientModel(m_board, i, this);
    auto* list = new RowList(m_columnsWidget);
    list->setObjectName(layout::indexedName("List1", i));
    list->setModel(column.model);
    list->setItemDelegate(m_rows);
    list->setAccessibleDescription(listDescription);
    list->installEventFilter(this);
    // A scroll bar coming or going resizes the rows' area: the threshold's label follows it.
    list->viewport()->installEventFilter(this);
    column.list = list;

    column.votes = new QLineEdit(m_columnsWidget);
    column.votes->setObjectName(layout::indexedName("Text2", i));
    column.votes->setMaxLength(std::numeric_limits<int>::max());
    column.votes->setAccessibleDescription(
        QStringLiteral("Гласовете за партията; след „Въведи“ тук стои броят на мандатите ѝ"));
    column.votes->installEventFilter(m_textBoxKeys);
    column.votes->installEventFilter(this);

    column.votes->setToolTip(QStringLiteral("Гласовете за партията; Enter преминава към следващата "
                                            "партия (от последната към „Въведи“)"));
    connect(column.votes, &QLineEdit::textEdited, this,
        [this, i](const QString& text) { editVotes(i, text); });
    connect(column.name, &QLineEdit::textEdited, this,
        [this, i](const QString& text) { emit nameEdited(i, text); });
    // Enter goes on to the next party's box, so that a class's votes are typed in a row; the tab
    // order, which runs through each party's list too, stays as drawn.
    connect(column.votes, &QLineEdit::returnPressed, this, [this, i] {
        if (QLineEdit* next = voteBox(i + 1))
            next->setFocus(Qt::TabFocusReason);
        else
            emit leftLastVoteBox();
    });
    connect(column.name, &QLineEdit::returnPressed, this, [this, i] {
        QLineEdit* next = nameBox(i + 1);
        (next ? next : voteBox(0))->setFocus(Qt::TabFocusReason);
    });
    // Added to a shown window, a widget is hidden until shown itself.
    list->show();
    column.votes->show();
    m_columns.push_back(column);
    nameColumn(i);
}

void PartyArea::editVotes(int party, const QString& text)
{
    // Every kind of space a keyboard or a pasted page brings (no-break, narrow no-break, thin)
    // is shown as the plain blank the reading of a vote text passes over, so that what the box
    // shows is what is read: "1 147 292" with the Bulgarian locale's grouping is 1147292.
    const QString blanked = QString::fromStdString(BlanksAsSpaces(text.toStdString()));
    if (blanked != text) {
        QLineEdit* box = voteBox(party);
        const int cursor = box->cursorPosition();
        const QSignalBlocker blocker(box);
        box->setText(blanked);
        box->setCursorPosition(cursor);
    }
    emit votesEdited(party, blanked);
}

void PartyArea::removeColumn()
{
    const Column column = m_columns.back();
    m_columns.pop_back();
    delete column.name;
    delete column.votes;
    delete column.list; // and the label it holds
    delete column.model;
}

void PartyArea::nameColumn(int party)
{
    const Column& column = m_columns[static_cast<std::size_t>(party)];
    const auto& name = m_board->parties[static_cast<std::size_t>(party)].name;
    // "Гласове, партия 3" while unnamed, "Гласове: ГЕРБ-СДС" once named.
    const QString called = name.empty() ? QStringLiteral(", партия %1").arg(party + 1)
                                        : QStringLiteral(": ") + QString::fromStdString(name);
    column.votes->setAccessibleName(QStringLiteral("Гласове") + called);
    column.list->setAccessibleName(QStringLiteral("Частни") + called);
    column.name->setAccessibleName(QStringLiteral("Име, партия %1").arg(party + 1));
    // A name too long for its box is read whole in the tooltip.
    column.name->setToolTip(QString::fromStdString(name));
}

void PartyArea::showBoard()
{
    const int wanted = static_cast<int>(m_board->parties.size());
    const bool changed = wanted != columnCount();
    while (columnCount() > wanted)
        removeColumn();
    while (columnCount() < wanted)
        addColumn();
    if (changed) {
        std::vector<QAbstractItemView*> lists;
        for (const Column& column : m_columns)
            lists.push_back(column.list);
        m_scrollLink = std::make_unique<ScrollLink>(lists);
        chainTabOrder();
        place(m_zoom, width(), m_namesShown);
    }

    for (int i = 0; i < wanted; ++i) {
        const auto& party = m_board->parties[static_cast<std::size_t>(i)];
        Column& column = m_columns[static_cast<std::size_t>(i)];
        const auto entryText = QString::fromStdString(party.entryText);
        if (column.votes->text() != entryText) {
            const QSignalBlocker blocker(column.votes);
            column.votes->setText(entryText);
        }
        const auto name = QString::fromStdString(party.name);
        if (column.name->text() != name) {
            const QSignalBlocker blocker(column.name);
            column.name->setText(name);
            // A name longer than its box shows its start, as it would be read.
            column.name->setCursorPosition(0);
        }
        nameColumn(i);
        column.model->showBoard();
    }
    showThreshold();
}

void PartyArea::showThreshold()
{
    const std::vector<bool> taking = m_board->TakingPart();
    const bool anyOut = std::find(taking.begin(), taking.end(), false) != taking.end();
    ThresholdLine line;
    if (anyOut)
        line = DrawThresholdLine(m_board->Votes().totals, m_board->voteCount);
    for (int i = 0; i < columnCount() && static_cast<std::size_t>(i) < taking.size(); ++i) {
        const auto party = static_cast<std::size_t>(i);
        Column& column = m_columns[party];
        if (taking[party] && !column.under)
            continue; // never marked: nothing to take back
        const QString why = taking[party]
            ? QString()
            : QStringLiteral("Под прага %1 % (%2 гласа): не достигат %3 гласа — частните на "
                             "партията не се състезават за мандати.")
                  .arg(QString::fromStdString(FormatShortest(m_board->voteCount.threshold)),
                      QString::fromStdString(line.line),
                      QString::fromStdString(line.lacking[party]));
        markUnder(column, !taking[party], why);
    }
}

void PartyArea::markUnder(Column& column, bool under, const QString& why)
{
    if (!column.under) {
        column.plain = column.list->palette();
        column.under = new QLabel(QStringLiteral("под прага"), column.list);
        column.under->setObjectName(column.list->objectName() + QStringLiteral("_Under"));
        column.under->setAlignment(Qt::AlignCenter);
        column.under->setAttribute(Qt::WA_TransparentForMouseEvents);
        column.under->setAutoFillBackground(true);
        QPalette label = column.under->palette();
        label.setColor(QPalette::Window, Qt::white);
        label.setColor(QPalette::WindowText, underLabel);
        column.under->setPalette(label);
    }
    // Greyed or shown plain again only when that changes: a keystroke changes the votes the
    // party lacks, and a list greyed again would be painted again, with the boxes it touches.
    if (under != column.greyed) {
        if (under) {
            QPalette greyed = column.plain;
            greyed.setBrush(QPalette::Base, hatchedBase());
            greyed.setColor(QPalette::Text, underText);
            column.list->setPalette(greyed);
            placeUnderLabel(column);
        } else {
            column.list->setPalette(column.plain);
        }
        column.under->setVisible(under);
        column.greyed = under;
    }
    column.list->setToolTip(why);
    column.under->setToolTip(why);
    column.list->setAccessibleDescription(
        under ? listDescription + QStringLiteral(". ") + why : listDescription);
}

void PartyArea::placeUnderLabel(const Column& column)
{
    if (!column.under)
        return;
    // Over the foot of the rows, clear of the list's scroll bar; a smaller letter where the
    // bold one would be cut.
    const QRect inside = column.list->viewport()->geometry();
    QFont font = column.list->font();
    font.setBold(true);
    // Measured at each size tried: a font's width does not follow its size exactly.
    const int room = inside.width() - 4;
    while (room > 0 && font.pointSizeF() > 4
        && QFontMetrics(font).horizontalAdvance(column.under->text()) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    column.under->setFont(font);
    const int height = QFontMetrics(font).height() + 4;
    column.under->setGeometry(inside.left(), inside.bottom() + 1 - height, inside.width(), height);
}

void PartyArea::chainTabOrder()
{
    QWidget* previous = m_before;
    for (const Column& column : m_columns) {
        for (QWidget* next : { static_cast<QWidget*>(column.name),
                 static_cast<QWidget*>(column.list), static_cast<QWidget*>(column.votes) }) {
            if (previous)
                QWidget::setTabOrder(previous, next);
            previous = next;
        }
    }
}

void PartyArea::place(double zoom, int visibleWidth, bool namesShown)
{
    m_zoom = zoom;
    m_namesShown = namesShown;
    const int down = namesShown ? layout::namesRowHeight : 0;
    const int count = columnCount();
    const int top = layout::commands[0].top + down; // the area ends where the buttons stand
    resize(visibleWidth, layout::toPixels(top, zoom));
    m_columnsWidget->resize(
        std::max(visibleWidth, layout::toPixels(layout::partyColumnsEnd(count), zoom)),
        layout::toPixels(layout::quotientList.top + layout::quotientList.height + down, zoom));
    for (int i = 0; i < count; ++i) {
        const int shift = i * layout::partySpacing;
        const Column& column = m_columns[static_cast<std::size_t>(i)];
        column.name->setGeometry(
            layout::toPixels(layout::shiftedRight(layout::nameBox, shift), zoom));
        column.name->setVisible(namesShown);
        column.votes->setGeometry(layout::toPixels(
            layout::shiftedDown(layout::shiftedRight(layout::voteBox, shift), down), zoom));
        column.list->setGeometry(layout::toPixels(
            layout::shiftedDown(layout::shiftedRight(layout::quotientList, shift), down), zoom));
        placeUnderLabel(column);
    }
}

void PartyArea::showLastRow(int party)
{
    if (m_scrollLink)
        m_scrollLink->showLastRow();
    if (QListView* list = quotientList(party))
        showColumnOf(list);
}

void PartyArea::showColumnOf(QWidget* control)
{
    // The whole control, not only a text box's cursor, which is all ensureWidgetVisible shows.
    const QRect placed(control->mapTo(m_columnsWidget, QPoint(0, 0)), control->size());
    QScrollBar* bar = horizontalScrollBar();
    if (placed.left() < bar->value())
        bar->setValue(placed.left());
    else if (placed.right() >= bar->value() + viewport()->width())
        bar->setValue(placed.right() + 1 - viewport()->width());
}

bool PartyArea::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        for (const Column& column : m_columns) {
            if (column.under && column.list->viewport() == watched)
                placeUnderLabel(column);
        }
    }
    if (event->type() == QEvent::MouseButtonPress) {
        for (std::size_t party = 0; party < m_columns.size(); ++party) {
            const Column& column = m_columns[party];
            if (watched == column.list->viewport() || watched == column.name)
                emit columnPressed(static_cast<int>(party));
        }
    }
    // A column reached with the keyboard comes into view where the area scrolls.
    if (event->type() == QEvent::FocusIn) {
        if (auto* widget = qobject_cast<QWidget*>(watched))
            showColumnOf(widget);
    }
    // A long name left shows its start again.
    if (event->type() == QEvent::FocusOut) {
        if (auto* box = qobject_cast<QLineEdit*>(watched);
            box && box->objectName().startsWith(QLatin1String("Name")))
            box->setCursorPosition(0);
    }
    return QScrollArea::eventFilter(watched, event);
}

void PartyArea::markGuess(int party)
{
    for (std::size_t index = 0; index < m_columns.size(); ++index) {
        QLineEdit* box = m_columns[index].votes;
        const bool guessed = static_cast<int>(index) == party;
        box->setProperty("guessed", guessed);
        auto* frame = box->findChild<GuessFrame*>();
        if (guessed && !frame)
            frame = new GuessFrame(box);
        if (frame)
            frame->setVisible(guessed);
    }
}
