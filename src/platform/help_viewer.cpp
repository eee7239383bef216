#include "platform/help_viewer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "platform/data_file.h"

namespace korbo::platform {

namespace {
QPointer<HelpViewer> current;
constexpr int kWidth = 640, kHeight = 560;
}

QMap<QString, QString> HelpKeywords(const QString& html) {
    QMap<QString, QString> map;
    static const QRegularExpression list(QStringLiteral("<ul class=\"keywords\">(.*?)</ul>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression entry(QStringLiteral("<a href=\"#([^\"]+)\">([^<]+)</a>"));
    const QRegularExpressionMatch m = list.match(html);
    if (!m.hasMatch()) return map;
    for (auto it = entry.globalMatch(m.captured(1)); it.hasNext();) {
        const QRegularExpressionMatch e = it.next();
        map.insert(e.captured(2).trimmed().toLower(), e.captured(1));
    }
    return map;
}

HelpViewer* HelpViewer::Current() { return current; }

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("KorboNET Help");
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    browser_ = new QTextBrowser(this);
    // Only the manual's own topics are followed; the viewer opens nothing else.
    browser_->setOpenLinks(false);
    browser_->setOpenExternalLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.isRelative() && url.path().isEmpty() && url.hasFragment()) ShowTopic(url.fragment());
    });
    box->addWidget(browser_);
    resize(kWidth, kHeight);
}

void HelpViewer::closeEvent(QCloseEvent* e) {
    if (current == this) current = nullptr;
    QWidget::closeEvent(e);
}

bool HelpViewer::Load(const QString& file) {
    const QFileInfo info(file);
    // A fifo or a device under the manual's name would block or never end.
    if (!IsPlainFile(file, kMaxHelpFileBytes)) return false;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QString html = QString::fromUtf8(f.read(kMaxHelpFileBytes));
    file_ = info.absoluteFilePath();
    keywords_ = HelpKeywords(html);
    browser_->setHtml(html);
    setWindowTitle(browser_->documentTitle().isEmpty() ? QStringLiteral("KorboNET Help") : browser_->documentTitle());
    return true;
}

void HelpViewer::ShowTopic(const QString& anchor) {
    topic_ = anchor;
    if (anchor.isEmpty()) browser_->verticalScrollBar()->setValue(0);
    else browser_->scrollToAnchor(anchor);
}

void HelpViewer::Place(const QWidget* owner) {
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect room = screen->availableGeometry();
    for (const QWidget* w = owner; w; w = w->parentWidget()) {
        const auto* main = qobject_cast<const QMainWindow*>(w);
        if (!main) continue;
        if (const QWidget* bar = main->menuWidget(); bar && bar->isVisible())
            room.setTop(std::max(room.top(), bar->mapToGlobal(QPoint(0, bar->height())).y()));
        break;
    }
    // The window manager frames the viewer as it framed the window that asks.
    QMargins frame;
    if (const QWidget* framed = owner ? owner->window() : nullptr; framed && framed->isVisible()) {
        const QRect outer = framed->frameGeometry(), inner = framed->geometry();
        frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    }
    const int w = std::max(1, std::min(kWidth, room.width() - frame.left() - frame.right()));
    const int h = std::max(1, std::min(kHeight, room.height() - frame.top() - frame.bottom()));
    resize(w, h);
    // At the right of the room, so that the most of the table stays in sight.
    move(room.right() + 1 - (w + frame.left() + frame.right()), room.top());
}

// While a modal window runs, only its own windows and the windows standing over it take
// input. The viewer stands over the modal window without belonging to it, so that it stays
// open, where it is, when that window closes and goes.
void HelpViewer::StandOver(QWidget* modal) {
    QWindow* over = modal ? modal->windowHandle() : nullptr;
    if (!over) return;
    winId();  // the viewer's own window, to stand over the modal one
    if (QWindow* own = windowHandle()) own->setTransientParent(over);
}

bool HelpViewer::Open(const QString& file, const QString& keyword, const QWidget* owner) {
    QWidget* modal = QApplication::activeModalWidget();
    HelpViewer* v = current;
    const bool fresh = v == nullptr;
    if (fresh) v = new HelpViewer;
    if (!v->Load(file)) {
        if (fresh) delete v;
        return false;
    }
    if (fresh) v->Place(owner);
    v->StandOver(modal);
    current = v;
    v->show();
    v->raise();
    v->activateWindow();
    // The layout of the page is known once the window is shown.
    v->browser_->document()->adjustSize();
    v->ShowTopic(keyword.isEmpty() ? QString() : v->keywords_.value(keyword.trimmed().toLower()));
    return true;
}

}  // namespace korbo::platform
