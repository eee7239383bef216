// korbo-selfplay: the computer opponent against a scripted human, headless.
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "selfplay.h"

int main(int argc, char** argv) {
    using namespace korbo::selfplay;
    std::vector<std::string> args(argv + 1, argv + argc);
    ParsedOptions parsed = ParseOptions(args);
    if (parsed.help) {
        std::cout << kUsage;
        return 0;
    }
    if (!parsed.error.empty()) {
        std::cerr << "korbo-selfplay: " << parsed.error << "\n" << kUsage;
        return 2;
    }
    Options& o = parsed.options;
    if (!o.deckPath.empty()) {
        std::ifstream in(o.deckPath);
        if (!in) {
            std::cerr << "korbo-selfplay: cannot open deck file " << o.deckPath << "\n";
            return 2;
        }
        std::string error;
        auto deck = ReadDeck(in, error);
        if (!deck) {
            std::cerr << "korbo-selfplay: " << o.deckPath << ": " << error << "\n";
            return 2;
        }
        o.deck = *deck;
    }
    std::ios::sync_with_stdio(false);
    const Summary s = Run(o, std::cout);
    std::cout << SummaryLine(s) << std::endl;
    return s.violations == 0 && s.unended == 0 ? 0 : 1;
}
