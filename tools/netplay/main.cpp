// korbo-netplay: headless tables playing network games over real TCP.
#include <QCoreApplication>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "netplay.h"

int main(int argc, char** argv) {
    using namespace korbo::netplay;
    QCoreApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    ParsedOptions parsed = ParseOptions(args);
    if (parsed.help) {
        std::cout << kUsage;
        return 0;
    }
    if (!parsed.error.empty()) {
        std::cerr << "korbo-netplay: " << parsed.error << "\n" << kUsage;
        return 2;
    }
    Options& o = parsed.options;
    if (!o.play.deckPath.empty()) {
        std::ifstream in(o.play.deckPath);
        std::string error;
        auto deck = in ? korbo::selfplay::ReadDeck(in, error) : std::nullopt;
        if (!deck) {
            std::cerr << "korbo-netplay: " << o.play.deckPath << ": " << (in ? error : "cannot be opened") << "\n";
            return 2;
        }
        o.play.deck = *deck;
    }
    return Run(o, QCoreApplication::applicationFilePath().toStdString(), std::cout, std::cerr);
}
