// The table state and the saved-game record: the table written into a record, a record
// read onto the table, and the check that a record can be put on the table at all.
#pragma once

#include <string>

#include "records/game_rec.h"
#include "table_state.h"

namespace korbo {

// The table state into the record (the name is left as it is).
void WriteGameRec(const TableState& t, records::GameBytes& b);
// The record's fields into the table state: only the saved fields change. NoWildAce is on
// for any non-zero value and a SideSize of 0 (an older record) reads as 19.
void ReadGameRec(const records::GameBytes& b, TableState& t);
// Why the record cannot be put on the table, or empty when it can: the counts, codes and
// cards must be in range and the 104 cards must lie each in exactly one place.
std::string CheckGameRec(const records::GameBytes& b);

}  // namespace korbo
