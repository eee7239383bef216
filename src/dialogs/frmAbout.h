// The About window: the program's name, version and site, the credits, and a hidden
// thank-you that a press on the icon reveals.
#pragma once

#include <QDialog>

#include "game/ports.h"

class QLabel;
class QPushButton;

namespace korbo::ui {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    // The icon's sound is played through the table's `view`.
    explicit frmAbout(TableView& view, QWidget* parent = nullptr);

    QLabel* lblVersion() const { return lblVersion_; }
    QLabel* lblDescription() const { return lblDescription_; }
    QLabel* LblSite() const { return lblSite_; }
    QLabel* Label2() const { return label2_; }
    QLabel* Label3() const { return label3_; }
    QLabel* lblDis() const { return lblDis_; }
    QLabel* credit() const { return credit_; }
    QLabel* picIcon() const { return picIcon_; }
    QPushButton* cmdOK() const { return cmdOK_; }

    void cmdOK_Click();
    void picIcon_Click();
    void picIcon_MouseDown(Qt::MouseButton button);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    TableView& view_;
    QLabel *lblVersion_ = nullptr, *lblDescription_ = nullptr, *lblSite_ = nullptr, *label2_ = nullptr,
           *label3_ = nullptr, *lblDis_ = nullptr, *credit_ = nullptr, *picIcon_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};

}  // namespace korbo::ui
