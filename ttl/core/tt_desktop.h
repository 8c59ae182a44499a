#pragma once
// What the desktop does for the program: opening a local page in the user's browser.
#include <string>

namespace TtDesktop {

// Hands the file (a CP932 path) to the desktop's opener, xdg-open, which starts the browser the
// user chose. False when the path cannot be spelled for the system or no opener could be started.
bool OpenInBrowser(const std::string& path);

// The file address of a UTF-8 path, every byte but letters, digits, "-._~" and "/" escaped.
std::string FileUrl(const std::string& utf8_path);

}  // namespace TtDesktop
