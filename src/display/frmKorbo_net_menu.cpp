// The network items of the table's menus.
#include <QMenuBar>

#include "display/frmKorbo.h"

namespace korbo::ui {

void frmKorbo::BuildNetMenu() {
    QMenu* net = menuBar()->addMenu(QStringLiteral("&KorboNET"));
    players_ = net->addAction(QStringLiteral("KorboNET &Internet Play"));
    connect(players_, &QAction::triggered, this, [this] { Players_Click(); });
}

}  // namespace korbo::ui
