// Help topics in the desktop's web browser. The help file is an HTML page whose topics are anchors
// named by their context numbers; it is shown from a copy named as a page (browsers do not show a
// ".HLP" file as HTML), opened at the topic's anchor.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/Help.h"

namespace moravel {

// The file URL of the local or UNC `path` (UTF-8) with the fragment "#context": backslashes become
// slashes and every byte other than letters, digits, "-._~/:" is percent-encoded.
std::string FileUrl(std::string_view path, HelpContext context);

// The page the browser is given for `helpFile`: a copy in the temporary folder named
// "Moravel-help.html", refreshed from the help file; the help file itself when no copy can be
// made.
std::string HelpPage(const std::string& helpFile);

// Opens the help topic `context` of `helpFile` ("" for the application's help file). Without a
// help file, or when it does not exist, the message that the program has no help is shown; when
// no browser can be started, the message that the file cannot be opened.
void ShowHelp(HWND owner, std::string_view helpFile, HelpContext context);

// Tests: while intercepted, ShowHelp records the URL it would open instead of starting a browser.
struct HelpLaunches {
    static void Intercept(bool on);
    static const std::vector<std::string>& Opened();
    static void Clear();
};

}  // namespace moravel
