#include "window/apportion_form.h"

#include "window/board_item.h"
#include "window/row_delegate.h"
#include "window/seat_list.h"
#include "window/static_texts.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <limits>

using namespace apportion;

namespace {

// The layout was drawn in twips, 1440 to the inch: 15 twips make one pixel at 96 dots per inch,
// and Qt scales device-independent pixels on high-density screens.
constexpr int twipsPerPixel = 15;

struct Twips {
    int left;
    int top;
    int width;
    int height;
};

QRect toPixels(Twips t)
{
    return QRect(t.left / twipsPerPixel, t.top / twipsPerPixel, t.width / twipsPerPixel,
        t.height / twipsPerPixel);
}

constexpr QSize clientSize(8970 / twipsPerPixel, 6360 / twipsPerPixel);

constexpr Twips text1Place[] = { { 120, 4440, 8775, 1815 }, { 480, 5520, 6735, 1815 } };
constexpr Twips label1Place[]
    = { { 360, 0, 8055, 375 }, { 6840, 2640, 975, 375 }, { 8040, 2640, 855, 375 } };
constexpr int partySpacing = 1320;
constexpr Twips list1Place { 120, 840, 1335, 2910 }; // party 0; the others stand to its right
constexpr Twips text2Place { 120, 480, 1335, 405 };
constexpr Twips command1Place[]
    = { { 120, 3960, 1455, 375 }, { 2520, 3960, 1455, 375 }, { 5160, 3960, 1455, 375 } };
constexpr Twips list2Place { 6840, 3000, 975, 1200 };
constexpr Twips frame1Place { 6720, 480, 2175, 1935 };
constexpr Twips option1Place { 120, 300, 1935, 300 }; // in the frame; one below the other
constexpr Twips list3Place { 8040, 3000, 855, 1200 };

Twips shiftedRight(Twips t, int by) { return { t.left + by, t.top, t.width, t.height }; }
Twips shiftedDown(Twips t, int by) { return { t.left, t.top + by, t.width, t.height }; }

const char* const commandCaptions[] = { "Въведи", "Търси", "Изчисти" };
const char* const commandDescriptions[] = {
    "Записва гласовете в списъците с частни; може да се направи веднъж",
    "Дава следващия мандат на партията с най-голямо частно",
    "Изчиства гласовете и списъците с частни",
};
const char* const methodCaptions[]
    = { "D’Hondt", "Sainte-Lague", "Danish", "Imperali", "Equal proportions" };
const char* const labelCaptions[]
    = { "Математика - системи на делителя за разпределение на мандати", "делител", "мандат" };

// Colours by object name. Style sheets draw the push buttons in their own colours under every
// Qt style; the radio indicator and its spacing are tightened to the size of the classic
// controls the layout was drawn for, so "Equal proportions" fits its 129 pixels.
const char* const formStyleSheet = R"(
#Label1_0, #Label1_1, #Label1_2 { background-color: rgb(255, 192, 128); }
#Frame1 {
    background-color: rgb(192, 192, 255); border: 1px solid rgb(128, 128, 128); margin-top: 9px;
}
#Frame1::title { subcontrol-origin: margin; left: 6px; padding: 0px 2px; }
QRadioButton { background-color: rgb(128, 128, 255); spacing: 2px; }
QRadioButton::indicator { width: 10px; height: 10px; }
QPushButton {
    border: 2px outset rgb(235, 235, 235); border-right-color: rgb(64, 64, 64);
    border-bottom-color: rgb(64, 64, 64); padding: 0px;
}
QPushButton:pressed { border-style: inset; }
QPushButton:focus { border-color: rgb(0, 0, 0); }
QPushButton:disabled { color: rgb(110, 110, 110); }
#Command1_0, #Command1_1 { background-color: rgb(128, 255, 128); }
#Command1_2 { background-color: rgb(255, 0, 0); }
)";

QString indexedName(const char* name, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

enum class ListChange { None, Appended, Rebuilt };

bool showsText(const QListWidgetItem* item, const std::string& text)
{
    return item->text() == QString::fromStdString(text);
}

// Shows the items in the list: appends what grew, and empties and refills a list whose shown
// items are no longer the start of the board's (the board only appends to its lists or empties
// them, so the first and the last shown item tell which). Items are made by
// makeItem(text, row).
template <typename MakeItem>
ListChange showItems(QListWidget* list, const std::vector<std::string>& items, MakeItem makeItem)
{
    const auto shown = static_cast<std::size_t>(list->count());
    const bool extends = items.size() >= shown
        && (shown == 0
            || (showsText(list->item(0), items.front())
                && showsText(list->item(static_cast<int>(shown) - 1), items[shown - 1])));
    if (!extends)
        list->clear();
    const auto start = static_cast<std::size_t>(list->count());
    for (auto i = start; i < items.size(); ++i)
        list->addItem(makeItem(QString::fromStdString(items[i]), i));
    if (!extends)
        return ListChange::Rebuilt;
    return start < items.size() ? ListChange::Appended : ListChange::None;
}

} // namespace

ApportionForm::ApportionForm(QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Математика - системи за разпределение на мандати"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/apportion.xpm")));
    setFixedSize(clientSize);
    setFont(QFont(QStringLiteral("Times New Roman"), 12));
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(192, 192, 255));
    setPalette(background);
    setAutoFillBackground(true);

    createControls();
    // Only the controls with colours of their own are styled: a style sheet on the whole window
    // would send the lists, which repaint on every seat, through the slower style-sheet drawing.
    // Set once the controls exist: set on a parent before, the controls inside the frame would be
    // polished with the application's font instead of the window's.
    const QString sheet = QString::fromUtf8(formStyleSheet);
    for (QWidget* styled : std::initializer_list<QWidget*> { m_label1[0], m_label1[1], m_label1[2],
             m_frame1, m_command1->button(0), m_command1->button(1), m_command1->button(2) })
        styled->setStyleSheet(sheet);
    connectEvents();

    // The window's load: D'Hondt and the seat total 7, shown before the window first is.
    m_board.LoadWindow();
    showBoard();
}

void ApportionForm::createControls()
{
    // Created in tab order, so the focus chain follows the layout table.
    for (int i = 0; i < 2; ++i) {
        auto* text = new QPlainTextEdit(this);
        text->setObjectName(indexedName("Text1", i));
        text->setGeometry(toPixels(text1Place[i]));
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        text->setReadOnly(true);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        m_text1[i] = text;
    }
    m_text1[0]->setPlainText(explanatoryText());
    m_text1[1]->setPlainText(quotationText());
    m_text1[1]->hide();
    m_text1[0]->setAccessibleName(QStringLiteral("Обяснение"));
    m_text1[0]->setAccessibleDescription(QStringLiteral("Обяснение на системите на делителя"));
    m_text1[1]->setAccessibleName(QStringLiteral("Цитат"));

    auto makeLabel = [this](int i) {
        auto* label = new QLabel(QString::fromUtf8(labelCaptions[i]), this);
        label->setObjectName(indexedName("Label1", i));
        label->setGeometry(toPixels(label1Place[i]));
        label->setAlignment(Qt::AlignCenter);
        m_label1[i] = label;
    };
    makeLabel(0);

    for (int i = 0; i < partyCount; ++i) {
        auto* list = new QListWidget(this);
        list->setObjectName(indexedName("List1", i));
        list->setGeometry(toPixels(shiftedRight(list1Place, i * partySpacing)));
        list->setUniformItemSizes(true);
        list->setAccessibleName(QStringLiteral("Частни, партия %1").arg(i + 1));
        list->setAccessibleDescription(
            QStringLiteral("Гласовете на партията и нейното частно след всеки даден мандат"));
        m_list1[i] = list;

        auto* votes = new QLineEdit(this);
        votes->setObjectName(indexedName("Text2", i));
        votes->setGeometry(toPixels(shiftedRight(text2Place, i * partySpacing)));
        votes->setMaxLength(std::numeric_limits<int>::max());
        votes->setAccessibleName(QStringLiteral("Гласове, партия %1").arg(i + 1));
        votes->setAccessibleDescription(
            QStringLiteral("Гласовете за партията; след „Въведи“ тук стои броят на мандатите ѝ"));
        m_text2[i] = votes;
    }

    m_command1 = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(commandCaptions[i]), this);
        button->setObjectName(indexedName("Command1", i));
        button->setGeometry(toPixels(command1Place[i]));
        button->setAccessibleDescription(QString::fromUtf8(commandDescriptions[i]));
        // Enter presses the focused button too, as on the classic desktop.
        button->setAutoDefault(true);
        m_command1->addButton(button, i);
    }

    m_list2 = new QListWidget(this);
    m_list2->setObjectName(QStringLiteral("List2"));
    m_list2->setGeometry(toPixels(list2Place));
    m_list2->setUniformItemSizes(true);
    m_list2->setAccessibleName(QStringLiteral("Делители"));
    m_list2->setAccessibleDescription(
        QStringLiteral("Делителите на избрания метод за втория до стотния мандат на партия; "
                       "отбелязан е последно използваният"));

    m_frame1 = new QGroupBox(QStringLiteral("Методи"), this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setGeometry(toPixels(frame1Place));
    m_option1 = new QButtonGroup(this);
    for (int k = 0; k < divisorMethodCount; ++k) {
        auto* option = new QRadioButton(QString::fromUtf8(methodCaptions[k]), m_frame1);
        option->setObjectName(indexedName("Option1", k));
        option->setGeometry(toPixels(shiftedDown(option1Place, k * option1Place.height)));
        m_option1->addButton(option, k);
    }

    makeLabel(1);
    makeLabel(2);

    m_list3 = new SeatList(this);
    m_list3->setObjectName(QStringLiteral("List3"));
    m_list3->setGeometry(toPixels(list3Place));
    m_list3->setUniformItemSizes(true);
    m_list3->setAccessibleName(QStringLiteral("Брой мандати"));
    m_list3->setAccessibleDescription(QStringLiteral("Общият брой мандати за разпределяне"));
    for (const auto& seats : m_board.seatChoices)
        m_list3->addItem(QString::fromStdString(seats));

    auto* rows = new RowDelegate(this);
    for (auto* list : m_list1)
        list->setItemDelegate(rows);
    m_list2->setItemDelegate(rows);
    m_list3->setItemDelegate(rows);
}

void ApportionForm::connectEvents()
{
    connect(m_command1, &QButtonGroup::idClicked, this, &ApportionForm::runCommand);
    connect(m_option1, &QButtonGroup::idToggled, this, &ApportionForm::selectMethod);
    for (int i = 0; i < partyCount; ++i) {
        connect(m_text2[i], &QLineEdit::textEdited, this,
            [this, i](const QString& text) { editVotes(i, text); });
    }
    connect(m_list3, &QListWidget::itemSelectionChanged, this, &ApportionForm::selectSeatTotal);
}

void ApportionForm::runCommand(int index)
{
    switch (index) {
    case 0:
        m_board.EnterVotes();
        break;
    case 1:
        m_board.GiveNextSeat();
        break;
    case 2:
        m_board.ClearAll();
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
    m_board.SelectMethod(static_cast<DivisorMethod>(index));
    showBoard();
}

void ApportionForm::editVotes(int party, const QString& text)
{
    m_board.parties[party].entryText = text.toStdString();
}

void ApportionForm::selectSeatTotal()
{
    const auto selected = m_list3->selectionModel()->selectedRows();
    if (!selected.isEmpty())
        m_board.seatSelection = selected.front().row();
}

void ApportionForm::showBoard()
{
    for (int i = 0; i < partyCount; ++i) {
        const auto entryText = QString::fromStdString(m_board.parties[i].entryText);
        if (m_text2[i]->text() != entryText) {
            const QSignalBlocker blocker(m_text2[i]);
            m_text2[i]->setText(entryText);
        }
        showItems(m_list1[i], m_board.parties[i].rows, [this, i](const QString& text, auto row) {
            return new BoardItem(text, m_board, i, row);
        });
    }

    const bool seatGiven = m_board.seatsGiven > m_shownSeatsGiven;
    m_shownSeatsGiven = m_board.seatsGiven;
    {
        const QSignalBlocker blocker(m_list2);
        const auto divisors
            = showItems(m_list2, m_board.divisors, [this](const QString& text, auto row) {
                  return new BoardItem(text, m_board, BoardItem::divisorColumn, row);
              });
        // A new series is shown from its first divisor, wherever the old highlight had
        // scrolled the list.
        if (divisors == ListChange::Rebuilt)
            m_list2->scrollToTop();
        if (divisors != ListChange::None || seatGiven)
            showDivisorSelection();
    }

    m_command1->button(0)->setEnabled(m_board.enterEnabled);

    if (m_board.method) {
        const QSignalBlocker blocker(m_option1);
        m_option1->button(static_cast<int>(*m_board.method))->setChecked(true);
        // The option group is one tab stop, at its checked option, from either direction; the
        // arrow keys move within it. Qt only arranges this once an option has had the focus.
        for (QAbstractButton* option : m_option1->buttons())
            option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }

    const int seatRow = m_board.seatSelection.value_or(-1);
    if (seatRow >= 0 && seatRow < m_list3->count() && !m_list3->item(seatRow)->isSelected()) {
        const QSignalBlocker blocker(m_list3);
        m_list3->setCurrentRow(seatRow);
    }
}

void ApportionForm::showDivisorSelection()
{
    const int row = m_board.divisorSelection.value_or(-1);
    if (row < 0 || row >= m_list2->count()) {
        m_list2->clearSelection();
        return;
    }
    m_list2->setCurrentRow(row);
    m_list2->scrollToItem(m_list2->item(row));
}
