#include "platform/help_viewer.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace korbo::platform {

namespace {
HelpViewer* current = nullptr;
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
    resize(640, 560);
}

void HelpViewer::closeEvent(QCloseEvent* e) {
    if (current == this) current = nullptr;
    QWidget::closeEvent(e);
}

bool HelpViewer::Load(const QString& file) {
    const QFileInfo info(file);
    // A fifo or a device under the manual's name would block or never end.
    if (!info.isFile() || info.size() > kMaxHelpFileBytes) return false;
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

bool HelpViewer::Open(const QString& file, const QString& keyword) {
    HelpViewer* v = current;
    const bool fresh = v == nullptr;
    if (fresh) v = new HelpViewer;
    if (!v->Load(file)) {
        if (fresh) delete v;
        return false;
    }
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
