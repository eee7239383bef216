// Opening a web page in the desktop's default browser (korbogl.OpenWebPage), and the two
// addresses the Help menu visits.
#pragma once

#include <QString>
#include <functional>

#include "game/ports.h"

namespace korbo::korbogl {

// The program's home page and the online gaming site.
inline constexpr const char* kKorboSiteUrl = "https://korbo.example.org/";
inline constexpr const char* kOnlineGamingSiteUrl = "https://korbonet.example.org/";

inline constexpr const char* kBrowserFailedText = "Unable to launch default browser";
// The result codes: above 32 the shell started the browser, 32 or less it did not.
constexpr int kShellOpened = 33, kShellFailed = 2;

// A well-formed http:// or https:// address with a host, with no blank or control
// character anywhere: the only text ever handed to the browser.
bool IsWebAddress(const QString& text);

// Hands `address` to the desktop's default handler; only http and https addresses are
// ever handed on. When nothing was opened, the table `view` shows the box "Unable to
// launch default browser". Returns the shell's result code.
int OpenWebPage(TableView& view, const QString& address);

// What actually opens an address (tests put a recorder here); the desktop's handler
// unless set. Returns whether the address was opened.
using UrlOpener = std::function<bool(const QString& address)>;
void SetUrlOpener(UrlOpener opener);

}  // namespace korbo::korbogl
