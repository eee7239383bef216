// Run statistics: the cards each side plays to the centre in a turn, and the best turns.
#include <string>

#include "game.h"
#include "korbogl.h"
#include "records/text_number.h"

namespace korbo {

using records::NumText;

namespace {

bool CounterInRange(int c) { return c >= 0 && c <= 5; }

}  // namespace

void Game::StatsAdd(int source, int counter) {
    if (!CounterInRange(counter)) return;
    int first = -1;
    if (source == 1) first = 0;
    else if (source >= 2 && source <= 6) first = 1;
    else if (source >= 7 && source <= 10) first = 2;
    if (first < 0) return;
    auto bump = [&](int category) {
        int16_t& n = RunStats[counter][category];
        if (n < INT16_MAX) ++n;  // a count never wraps to a negative value
    };
    bump(first);
    bump(first + 3);
}

void Game::StatsCk(int c, int d) {
    if (!CounterInRange(c) || !CounterInRange(d)) return;
    const bool messages = d == 0 || d == 5;
    const std::string name = d == 0 ? PlayerName : d == 5 ? OppName : std::string();
    int panel = 0;
    if (Turn == TurnOpponent || OppSideCount == 0) panel = 6;
    if (Turn == TurnPlayer || PlayerSideCount == 0) panel = 2;
    // Without a side to show it for there is no panel: the texts are then left out.
    const bool statusBar = !messages && panel != 0;
    view_.EnableMenu(Menu::Stats, false);

    auto& cur = RunStats[c];
    auto& best = RunStats[d];
    auto runText = [](const std::array<int16_t, 6>& row) {
        std::string text;
        int sum = 0;
        for (int k = 0; k <= 2; ++k) {
            text += NumText(row[k]) + "-";
            sum += row[k];
        }
        return text + " [" + NumText(sum) + " ]";
    };
    const int sumC = cur[0] + cur[1] + cur[2];
    const int sumD = best[0] + best[1] + best[2];
    if (sumC == 0) {
        view_.EnableMenu(Menu::Stats, true);
        if (statusBar) view_.SetCaption(Ctl::StatusBar1, panel, runText(cur));
        return;
    }
    if (sumC > sumD) {
        for (int k = 0; k <= 2; ++k) best[k] = cur[k];
        if (statusBar) view_.SetCaption(Ctl::StatusBar1, panel + 1, runText(best));
        else if (messages && !NetActive)
            view_.MsgBox("New Stats Record - Best Run for " + name, mb::OKOnly | mb::Information, "Stats Updated");
    }
    const bool bothNone = cur[3] == 0 && best[3] == 0;
    if (!bothNone && cur[3] >= best[3]) {
        const int sideC = cur[3] + cur[4] + cur[5];
        const int sideD = best[3] + best[4] + best[5];
        if (cur[3] > best[3] || sideC >= sideD) {
            for (int k = 3; k <= 5; ++k) best[k] = cur[k];
            if (messages && !NetActive)
                view_.MsgBox("New Stats Record - Best Side Run for " + name, mb::OKOnly | mb::Information,
                             "Stats Updated");
        }
    }
    if (statusBar) view_.SetCaption(Ctl::StatusBar1, panel, runText(cur));
    if (Turn != TurnNobody) cur.fill(0);
    view_.EnableMenu(Menu::Stats, true);
}

}  // namespace korbo
