#pragma once

#include <string_view>

#include "core/shell/Help.h"

class QTextBrowser;
class QWidget;

namespace moravel {

// Opens the help topic `context` of the application's help file `helpFile` in the help window,
// or says why it cannot.
void ShowHelp(QWidget* owner, std::string_view helpFile, HelpContext context);

// The help window, if one was opened (tests look at it).
QTextBrowser* HelpWindow();

}  // namespace moravel
