// The program: the table window on a Qt application, run from the program folder.
#include <QApplication>

#include "display/frmKorbo.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("KorboNET");
    korbo::ui::frmKorbo table;
    table.show();
    return app.exec();
}
