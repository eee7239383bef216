// The splash window shown while the table starts: a picture, the fixed captions and the
// program's version. Any key, or a click on its frame, closes it.
#pragma once

#include <QWidget>

class QLabel;
class QFrame;

namespace korbo::ui {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);
    ~frmSplash() override;

    // The splash on the screen now, or null once it has been closed.
    static frmSplash* Current();

    QLabel* Image1 = nullptr;
    QLabel* lblPlatform = nullptr;
    QLabel* lblVersion = nullptr;
    QFrame* Frame1 = nullptr;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Form_Load();
};

}  // namespace korbo::ui
