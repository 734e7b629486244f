#pragma once

#include "window/form/apportion_form.h"

#include <QListView>
#include <QString>

// Finds a control of the window by its object name ("Text2_0", "List2", ...); fails the
// calling test when it is missing.
template <typename Widget> Widget* control(const ApportionForm& form, const QString& name)
{
    auto* widget = form.findChild<Widget*>(name);
    if (!widget)
        qFatal("no control named %s", qPrintable(name));
    return widget;
}

// Compares what the controls show with the window's board: vote boxes, quotient lists, divisor
// list, the enter button, the method option and the seat total. Returns the first difference,
// or an empty text when the window shows the board exactly. The divisor highlight is left out:
// the user may move it by hand and the board does not read it.
QString boardViewMismatch(const ApportionForm& form);

// What a list shows: the number of its rows and the text of one, whichever its model.
int rowCount(const QListView* list);
QString rowText(const QListView* list, int row);
QModelIndex rowIndex(const QListView* list, int row);

// Window tests keep their lessons apart from the user's (Qt's test locations); this forgets
// those kept so far, so that the next window starts with none to offer.
void forgetKeptLessons();
