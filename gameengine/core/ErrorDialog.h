#pragma once

#include "platform/Dialogs.h"

#include <string>

namespace tidewell {

// Shows an error dialog through the installed platform; with none installed the
// text still reaches standard error, so no failure goes unreported.
platform::DialogAnswer showErrorDialog(const std::string& title, const std::string& text,
                                       platform::DialogButtons buttons);

// The bug-report flow shared by file and generic errors: shows the detail with the
// contact address and, on Yes, opens the report page with the detail appended.
void reportError(const std::string& title, const std::string& detail, const std::string& contact,
                 const std::string& reportAddress);

// Encodes text for the end of the report address: a space becomes %20 and a line
// break %0D%0A. Characters that would end or bend the address ('%', '&', '#', '+',
// control and non-ASCII bytes) are escaped as well, so the message arrives whole.
std::string encodeForAddress(const std::string& text);

// Asks the desktop to open a web address: leaves full screen first and minimises
// the game window, so the browser can be seen.
void openAddress(const std::string& address);

// The addresses the program points its players to, all in one place.
namespace addresses {
inline constexpr const char* kContact = "bugs@tidewell.example";
inline constexpr const char* kReportPage = "https://tidewell.example/bugs/index.php?message=";
inline constexpr const char* kPlatformHelp = "https://tidewell.example/brinefall/linux-setup";
inline constexpr const char* kHomePage = "https://tidewell.example/";
} // namespace addresses

} // namespace tidewell
