// The "RC" list of a game sent by the host, as a peer may send it, read by the remote for
// hosts of every version. A refused list names its reason and leaves the table as it was; a
// taken one puts every card in exactly one place, and written back and read again gives
// the same table.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fakes/placed_cards.h"
#include "game/recover_list.h"

namespace {

using namespace korbo;

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

// A table with a game on it, so that a refused list has something to leave alone.
TableState Dealt() {
    TableState t;
    for (int i = 1; i <= 104; ++i) t.Deck[i] = DeckRec{static_cast<int16_t>(i), static_cast<int16_t>((i - 1) % 13 + 1), 1};
    t.StockTop = 104;
    t.Turn = TurnPlayer;
    return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view list(reinterpret_cast<const char*>(data), size);
    static const TableState dealt = Dealt();
    for (std::string_view version : {"60", "51", "NG"}) {
        TableState t = dealt;
        const std::string before = EncodeRecoverList(t, "60");
        const RecoverListResult r = DecodeRecoverList(list, version, t);
        if (!r.ok) {
            Check(!r.error.empty() && EncodeRecoverList(t, "60") == before);
            continue;
        }
        const bool ids = version != "NG";
        Check((ids ? CheckPartition(t) : CheckValueCounts(t)).empty());
        TableState again = dealt;
        Check(DecodeRecoverList(EncodeRecoverList(t, version), version, again).ok);
        // Read twice, every card is where it started.
        TableState back = dealt;
        Check(DecodeRecoverList(EncodeRecoverList(again, version), version, back).ok);
        Check(test::Placed(back, ids) == test::Placed(t, ids));
        Check(back.Turn == t.Turn && back.PlayerStackImage == t.PlayerStackImage && back.OppStackImage == t.OppStackImage);
    }
    return 0;
}
