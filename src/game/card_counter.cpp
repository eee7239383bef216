#include "card_counter.h"

#include "records/text_number.h"

namespace korbo::counter {

std::string RowNames() {
    std::string names;
    for (int deck = 0; deck < 2; ++deck)
        for (const char* suit : {"Clubs", "Diamonds", "Hearts", "Spades"}) names += std::string(suit) + std::string(CRLF);
    return names;
}

std::string Grid(const TableState& t) {
    std::string text;
    int column = 1;
    for (int id = 1; id <= 104; ++id) {
        const int tally = t.Deck[static_cast<size_t>(id)].Seen;
        const bool wide = column == kWideColumn;
        if (tally != 0) text += records::NumText(tally) + (wide ? "  " : " ");
        else text += wide ? " _  " : " _ ";
        if (column == kRanks) {
            text += std::string(CRLF) + " ";
            column = 1;
        } else {
            ++column;
        }
    }
    return text;
}

bool MayShow(TableState& t, TableView& view) {
    if (t.CountLost) {
        view.MsgBox("Sorry, I lost count when you restored the game!", mb::OKOnly | mb::Exclamation, "Memory Failure");
        return false;
    }
    if (t.NetActive && !t.DevFlag) {
        view.MsgBox("Count your own cards during a Net game!", mb::OKOnly | mb::Exclamation, "Count by yourself");
        return false;
    }
    t.HelpUsed = true;
    return true;
}

}  // namespace korbo::counter
