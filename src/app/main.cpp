// The program, run from its program folder.
#include <QApplication>

#include "app/program.h"

int main(int argc, char** argv) {
    // Before Qt writes anything: a message to a log file can pass a file-size limit too.
    korbo::ui::PrepareProcess();
    QApplication app(argc, argv);
    app.setApplicationName("KorboNET");
    return korbo::ui::Main();
}
