#include "score_rec.h"

#include <algorithm>

#include "text_number.h"

namespace korbo::records {

std::array<uint8_t, kScoreRecLength> EncodeScoreRec(const ScoreRec& r) {
    std::array<uint8_t, kScoreRecLength> b{};
    auto name = EncodeText(r.Name, kScoreNameWidth);
    std::copy(name.begin(), name.end(), b.begin());
    PutInt16(b, score_rec::Played, r.Played);
    PutInt16(b, score_rec::Won, r.Won);
    PutInt16(b, score_rec::Margin, r.Margin);
    PutInt16(b, score_rec::Extra, r.Extra);
    return b;
}

ScoreRec DecodeScoreRec(std::span<const uint8_t> bytes) {
    std::array<uint8_t, kScoreRecLength> b{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), b.size()), b.begin());
    ScoreRec r;
    r.Name = DecodeText(std::span(b).first(kScoreNameWidth));
    r.Played = GetInt16(b, score_rec::Played);
    r.Won = GetInt16(b, score_rec::Won);
    r.Margin = GetInt16(b, score_rec::Margin);
    r.Extra = GetInt16(b, score_rec::Extra);
    return r;
}

std::string NumberName(long n) { return records::NumText(n); }

ScoreRec ReadScoreRec(RecordFile& f, long n) { return DecodeScoreRec(f.Get(n)); }

Status WriteScoreRec(RecordFile& f, long n, const ScoreRec& r) { return f.Put(n, EncodeScoreRec(r)); }

}  // namespace korbo::records
