// The program, run from its program folder.
#include <QApplication>

#include "app/program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("KorboNET");
    return korbo::ui::Main();
}
