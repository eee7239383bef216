#include "controls/web_page.h"

#include <QDesktopServices>
#include <QUrl>

namespace korbo::korbogl {

namespace {
UrlOpener& Opener() {
    static UrlOpener opener;
    return opener;
}
}  // namespace

bool IsWebAddress(const QString& text) {
    if (!text.startsWith("http://", Qt::CaseInsensitive) && !text.startsWith("https://", Qt::CaseInsensitive))
        return false;
    for (const QChar c : text)
        if (c.unicode() <= 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control) return false;
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == "http" || scheme == "https") && !url.host().isEmpty();
}

void SetUrlOpener(UrlOpener opener) { Opener() = std::move(opener); }

int OpenWebPage(TableView& view, const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    bool opened = false;
    if (IsWebAddress(address)) opened = Opener() ? Opener()(url.toString()) : QDesktopServices::openUrl(url);
    if (opened) return kShellOpened;
    view.MsgBox(kBrowserFailedText, mb::OKOnly, "");
    return kShellFailed;
}

}  // namespace korbo::korbogl
