#include "window/form/form_controls.h"

#include "window/form/command_button.h"
#include "window/form/form_layout.h"
#include "window/form/form_style.h"
#include "window/form/party_area.h"
#include "window/form/static_texts.h"
#include "window/form/status_line.h"
#include "window/form/text_box_keys.h"
#include "window/lists/divisor_model.h"
#include "window/lists/row_delegate.h"
#include "window/lists/row_list.h"
#include "window/lists/seat_list.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>

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

} // namespace

FormControls::FormControls(std::shared_ptr<const Board> board, QWidget* form)
{
    textBoxKeys = new TextBoxKeys(form);

    // Created in tab order, so the focus chain follows the layout table.
    for (int i = 0; i < 2; ++i) {
        auto* text = new QPlainTextEdit(form);
        text->setObjectName(layout::indexedName("Text1", i));
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        text->setReadOnly(true);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        text->installEventFilter(textBoxKeys);
        text->viewport()->installEventFilter(textBoxKeys);
        texts[i] = text;
    }
    texts[0]->setPlainText(explanatoryText());
    texts[1]->setPlainText(quotationText());
    texts[1]->hide();
    texts[0]->setAccessibleName(QStringLiteral("Обяснение"));
    texts[0]->setAccessibleDescription(QStringLiteral("Обяснение на системите на делителя"));
    texts[1]->setAccessibleName(QStringLiteral("Цитат"));

    auto makeLabel = [this, form](int i) {
        auto* label = new QLabel(QString::fromUtf8(labelCaptions[i]), form);
        label->setObjectName(layout::indexedName("Label1", i));
        label->setAlignment(Qt::AlignCenter);
        labels[i] = label;
    };
    makeLabel(0);

    // The rows of every list are drawn by one delegate, which keeps its fonts between repaints.
    auto* rows = new RowDelegate(form);
    parties = new PartyArea(board, textBoxKeys, rows, labels[0], form);
    // The title stays over the area, which starts at the window's corner.
    labels[0]->raise();

    commands = new QButtonGroup(form);
    for (int i = 0; i < 3; ++i) {
        auto* button = new CommandButton(QString::fromUtf8(commandCaptions[i]), form);
        button->setObjectName(layout::indexedName("Command1", i));
        button->setAccessibleDescription(QString::fromUtf8(commandDescriptions[i]));
        // Enter presses the focused button too, as on the classic desktop.
        button->setAutoDefault(true);
        commands->addButton(button, i);
    }

    divisorModel = new DivisorModel(board, form);
    divisorList = new RowList(form);
    divisorList->setObjectName(QStringLiteral("List2"));
    divisorList->setModel(divisorModel);
    divisorList->setAccessibleName(QStringLiteral("Делители"));
    divisorList->setAccessibleDescription(
        QStringLiteral("Делителите на избрания метод за втория до стотния мандат на партия; "
                       "отбелязан е последно използваният"));

    methodFrame = new QGroupBox(QStringLiteral("Методи"), form);
    methodFrame->setObjectName(QStringLiteral("Frame1"));
    methods = new QButtonGroup(form);
    for (int k = 0; k < divisorMethodCount; ++k) {
        auto* option = new QRadioButton(
            QString::fromStdString(MethodCaption(static_cast<DivisorMethod>(k))), methodFrame);
        option->setObjectName(layout::indexedName("Option1", k));
        methods->addButton(option, k);
    }

    makeLabel(1);
    makeLabel(2);

    seatTotals = new SeatList(form);
    seatTotals->setObjectName(QStringLiteral("List3"));
    seatTotals->setUniformItemSizes(true);
    seatTotals->setAccessibleName(QStringLiteral("Брой мандати"));
    seatTotals->setAccessibleDescription(QStringLiteral("Общият брой мандати за разпределяне"));
    for (const auto& seats : board->seatChoices)
        seatTotals->addItem(QString::fromStdString(seats));

    status = new StatusLine(form);

    divisorList->setItemDelegate(rows);
    seatTotals->setItemDelegate(rows);
}

QSize FormControls::place(
    QWidget& form, double zoom, const QFont& font, int count, bool names, int statusLines)
{
    const int down = names ? layout::namesRowHeight : 0;
    const int statusExtra = (std::max(statusLines, 1) - 1) * layout::statusLine.height;
    form.setFont(font);
    int wider = layout::toPixels(layout::extraPartyWidth(count), zoom);
    const QSize drawn = layout::clientSize(zoom, down + statusExtra);
    if (const QScreen* shown = form.screen()) {
        const int frame = form.frameGeometry().width() - form.width();
        wider = std::clamp(shown->availableGeometry().width() - frame - drawn.width(), 0, wider);
    }

    const auto at = [zoom, down](layout::Twips t) {
        return layout::toPixels(
            t.top >= layout::voteBox.top ? layout::shiftedDown(t, down) : t, zoom);
    };
    const auto right = [&at, wider](layout::Twips t) { return at(t).translated(wider, 0); };
    const auto across = [&at, wider](layout::Twips t) { return at(t).adjusted(0, 0, wider, 0); };

    texts[0]->setGeometry(across(layout::texts[0]));
    texts[1]->setGeometry(at(layout::texts[1]));
    labels[0]->setGeometry(across(layout::labels[0]));
    labels[1]->setGeometry(right(layout::labels[1]));
    labels[2]->setGeometry(right(layout::labels[2]));
    parties->move(0, 0);
    parties->place(zoom,
        layout::toPixels(layout::partyColumnsEnd(layout::drawnPartyCount), zoom) + wider, names);
    for (int i = 0; i < 3; ++i)
        commands->button(i)->setGeometry(at(layout::commands[i]));
    divisorList->setGeometry(right(layout::divisorList));
    methodFrame->setGeometry(right(layout::methodFrame));
    for (int k = 0; k < divisorMethodCount; ++k) {
        methods->button(k)->setGeometry(layout::toPixels(
            layout::shiftedDown(layout::methodOption, k * layout::methodOption.height), zoom));
    }
    seatTotals->setGeometry(right(layout::seatTotals));
    // Its bottom is the window's, rounded once: lines rounded one by one could end a pixel
    // past it (at 150 %, two lines of 37.5 pixels).
    QRect statusArea = across(layout::statusLine);
    statusArea.setHeight(
        layout::toPixels(
            layout::statusLine.top + down + layout::statusLine.height + statusExtra, zoom)
        - statusArea.top());
    status->setGeometry(statusArea);

    // Only the controls with colours of their own are styled: a style sheet on the whole window
    // would send the lists, which repaint on every seat, through the slower style-sheet drawing.
    // Set once the controls exist: set on a parent before, the controls inside the frame would be
    // polished with the application's font instead of the window's.
    // A styled control takes a later font change of the window only when given it itself.
    const QString sheet = formStyleSheet(zoom);
    for (QWidget* styled : std::initializer_list<QWidget*> { labels[0], labels[1], labels[2],
             methodFrame, commands->button(0), commands->button(1), commands->button(2) }) {
        styled->setStyleSheet(sheet);
        styled->setFont(font);
    }
    for (QAbstractButton* option : methods->buttons())
        option->setFont(font);
    return drawn + QSize(wider, 0);
}
