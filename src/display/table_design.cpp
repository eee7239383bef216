#include "table_design.h"

#include <vector>

namespace korbo::ui {

namespace {

using K = DesignKind;
constexpr double kCardW = 1065, kCardH = 1440;
constexpr double kHoldLeft = 6120, kHoldStep = 1080;  // HOLD places 7..10
constexpr double kHandLeft[] = {0, 0, 3480, 4440, 5400, 6360, 7320};  // hand places 2..6

std::vector<ControlDesign> MakeRows() {
    std::vector<ControlDesign> r = {
        // Frames first, so that the cards lie on them.
        {"Label3", K::Frame, 0, 6000, 3945, 4575, 1710, "Your HOLD piles"},
        {"Label3", K::Frame, 1, 6000, 1800, 4575, 1695, "Korbo's HOLD piles"},
        {"Label10", K::Frame, -1, 90, 2280, 3735, 1695, "CENTER PILES"},
        {"Label1", K::Frame, -1, 10560, 2640, 1275, 1635},
    };
    for (int k = 7; k <= 10; ++k)
        r.push_back({"ShpHold", K::Outline, k, kHoldLeft + (k - 7) * kHoldStep, 3600, kCardW, kCardH});
    r.push_back({"Stack", K::StackShape, 0, 600, 6840, kCardW, kCardH});
    r.push_back({"ImgHold", K::HoldImage, -1, 1920, 6840, 735, 1065});

    // The stock and centre piles, the opponent's places, the player's places.
    r.push_back({"Picture4", K::Picture, 0, 10635, 2736, kCardW, kCardH});
    for (int i = 1; i <= 3; ++i) r.push_back({"Picture4", K::Picture, i, 180 + (i - 1) * 1200.0, 2385, kCardW, kCardH});
    r.push_back({"Picture1", K::Picture, 0, 8685, 150, kCardW, kCardH});
    r.push_back({"Picture1", K::Picture, 1, 952, 178, kCardW, kCardH});
    for (int i = 2; i <= 6; ++i) r.push_back({"Picture1", K::Picture, i, kHandLeft[i], 120, kCardW, kCardH});
    for (int i = 7; i <= 10; ++i)
        r.push_back({"Picture1", K::Picture, i, kHoldLeft + (i - 7) * kHoldStep, 1920, kCardW, kCardH});
    r.push_back({"Picture7", K::Picture, 1, 809, 5280, kCardW, kCardH});
    for (int i = 2; i <= 6; ++i) r.push_back({"Picture7", K::Picture, i, kHandLeft[i], 5880, kCardW, kCardH});
    for (int i = 7; i <= 10; ++i)
        r.push_back({"Picture7", K::Picture, i, kHoldLeft + (i - 7) * kHoldStep, 4080, kCardW, kCardH});

    for (int i = 1; i <= 3; ++i) r.push_back({"LblWild", K::WildLabel, i, 660 + (i - 1) * 1200.0, 2040, 255, 240});
    const ControlDesign labels[] = {
        {"Label9", K::Label, 0, 3240, 4560, 1470, 870},
        {"Label9", K::Label, 1, 120, 4080, 3885, 1155},
        {"Label9", K::Label, 2, 3945, 1800, 1950, 3450},
        {"Label9", K::Label, 3, 2160, 6480, 1275, 825},
        {"Label9", K::Label, 4, 2390, 480, 1245, 810},
        {"LabelPeek", K::Label, -1, 9600, 5880, 2055, 915},
        {"StatusMsg", K::Label, -1, 6000, 220, 255, 315},
        {"ImgTurn1", K::Arrow, -1, 10920, 2160, 480, 480, "It's your opponent's turn."},
        {"ImgTurn2", K::Arrow, -1, 10920, 4320, 480, 480, "It's your turn!"},
        {"ImgAvatar", K::Avatar, -1, 10200, 0, 1560, 1560},
        {"Command2", K::Button, -1, 4320, 3360, 1080, 395, "DEAL"},
    };
    r.insert(r.end(), std::begin(labels), std::end(labels));
    return r;
}

}  // namespace

std::span<const ControlDesign> TableDesign() {
    static const std::vector<ControlDesign> rows = MakeRows();
    return rows;
}

std::string DesignName(const ControlDesign& row) {
    return row.index < 0 ? std::string(row.name) : std::string(row.name) + "(" + std::to_string(row.index) + ")";
}

}  // namespace korbo::ui
