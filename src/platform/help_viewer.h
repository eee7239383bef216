// The program's help viewer: one window showing the user's manual of the program folder,
// opened at its contents or at a keyword of the manual's keyword index.
#pragma once

#include <QMap>
#include <QString>
#include <QWidget>

class QTextBrowser;

namespace korbo::platform {

// The manual's file in the program folder.
inline constexpr const char* kHelpFileName = "KD_Help.html";
// The largest manual the viewer reads; no help file comes near it.
constexpr qint64 kMaxHelpFileBytes = 1 << 20;

// The keyword index of a manual: each entry of its list of class "keywords" is a link to
// a topic, its text the keyword. Keywords are compared without regard to letter case.
QMap<QString, QString> HelpKeywords(const QString& html);

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    // Opens the manual `file` at its contents (no keyword) or at the topic of `keyword`;
    // a keyword the index does not know opens the contents. The one help window is
    // reused. False, with nothing shown, when the file is not a regular file the viewer
    // can read. Opened while a modal window runs, it stands over that window, so that it
    // can be read and scrolled over it, and stays open, where it is, when that window
    // closes. A new window keeps within the screen of `owner`, the window that asks, below
    // the menu bar of the main window that owner belongs to.
    static bool Open(const QString& file, const QString& keyword = {}, const QWidget* owner = nullptr);
    // The help window, or null while none is open.
    static HelpViewer* Current();

    QTextBrowser* Browser() const { return browser_; }
    // The topic shown: the anchor of the keyword, empty for the contents.
    QString Topic() const { return topic_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    explicit HelpViewer(QWidget* parent = nullptr);
    bool Load(const QString& file);
    void Place(const QWidget* owner);
    void StandOver(QWidget* modal);
    void ShowTopic(const QString& anchor);

    QTextBrowser* browser_ = nullptr;
    QString file_;
    QString topic_;
    QMap<QString, QString> keywords_;
};

}  // namespace korbo::platform
