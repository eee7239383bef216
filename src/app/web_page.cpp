#include "app/web_page.h"

#include <QDesktopServices>
#include <QUrl>

namespace korbo::korbogl {

namespace {
UrlOpener& Opener() {
    static UrlOpener opener;
    return opener;
}

bool WebAddress(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == "http" || scheme == "https") && !url.host().isEmpty();
}
}  // namespace

void SetUrlOpener(UrlOpener opener) { Opener() = std::move(opener); }

int OpenWebPage(TableView& view, const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    bool opened = false;
    if (WebAddress(url)) opened = Opener() ? Opener()(url.toString()) : QDesktopServices::openUrl(url);
    if (opened) return kShellOpened;
    view.MsgBox(kBrowserFailedText, mb::OKOnly, "");
    return kShellFailed;
}

}  // namespace korbo::korbogl
