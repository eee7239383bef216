// Reading and writing score records where a failure ends the whole action: each helper
// throws std::runtime_error with the reason in words for the player, so that a routine
// that changes several records can catch once, tell the player and drop every change.
#pragma once

#include <stdexcept>
#include <string>

#include "records/record_file.h"
#include "records/score_rec.h"

namespace korbo::scorefile {

inline records::ScoreRec Read(records::RecordFile& f, long n) {
    records::ScoreRec r = records::ReadScoreRec(f, n);
    if (!f.ReadError().empty()) throw std::runtime_error(f.ReadError());
    return r;
}

inline void Put(records::RecordFile& f, long n, const records::ScoreRec& r) {
    if (records::Status s = records::WriteScoreRec(f, n, r); !s) throw std::runtime_error(s.error);
}

inline void Open(records::RecordFile& f, const std::string& path,
                 records::RecordFile::Missing missing = records::RecordFile::Missing::Fail) {
    if (records::Status s = f.Open(path, records::kScoreRecLength, missing); !s) throw std::runtime_error(s.error);
}

inline void Commit(records::RecordFile& f) {
    if (records::Status s = f.Close(); !s) throw std::runtime_error(s.error);
}

}  // namespace korbo::scorefile
