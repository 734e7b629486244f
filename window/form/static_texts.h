#pragma once

#include <QString>

// The explanatory text on the methods shown at the bottom of the window: 17 lines, each ended
// by a carriage return and a line feed.
QString explanatoryText();

// The quotation of the hidden text box: three lines, each ended by a blank, CR and LF.
QString quotationText();
