// A tab strip in place of the platform's: tabs with a caption, a key and a tooltip, the
// selected tab numbered from 1, a click event, and the client area below the tabs over
// which the window lays its frames.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

class QTabBar;

namespace korbo::platform {

class TabStrip : public QWidget {
    Q_OBJECT
public:
    explicit TabStrip(QWidget* parent);

    void AddTab(const std::string& caption, const std::string& key, const std::string& toolTip);
    int Count() const;
    std::string Caption(int tab) const;
    std::string Key(int tab) const;
    std::string ToolTip(int tab) const;
    // 1..Count.
    int SelectedItem() const;
    // Selecting another tab raises the click event, as a click on it would.
    void SetSelectedItem(int tab);
    // The area under the tabs, in the coordinates of the strip's parent.
    QRect ClientArea() const;
    QTabBar* Bar() const { return bar_; }

    std::function<void()> onClick;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void changeEvent(QEvent* e) override;

private:
    void FitTabs() const;  // only the bar changes
    QTabBar* bar_;
};

}  // namespace korbo::platform
