#pragma once

#include <string>
#include <string_view>

#include "core/app/Help.h"

class QDialog;
class QTextBrowser;
class QWidget;

namespace moravel {

// Opens the help topic `context` of the application's help file `helpFile` in the help window,
// or says why it cannot.
void ShowHelp(QWidget* owner, std::string_view helpFile, HelpContext context);

// The help window, if one was opened (tests look at it).
QTextBrowser* HelpWindow();

// The help topic F1 opens for `widget` and the controls inside it.
void SetHelpContext(QWidget* widget, HelpContext context);
// The help topic of `widget`: its own, or that of the nearest widget holding it within its window;
// HelpContext::None for none.
HelpContext HelpContextOf(const QWidget* widget);

// F1 in `dialog` opens the help topic of the control with the focus in `helpFile` (which outlives
// the dialog). While the dialog is open the help window belongs to it, so a modal dialog does not
// block it; when the dialog closes the help window stands on its own.
void InstallHelpKey(QDialog* dialog, const std::string& helpFile);

}  // namespace moravel
