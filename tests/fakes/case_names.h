// Readable names for the cases of a parameterised test, the same in every build: each
// case's own words with every character that is not a letter or a digit turned into an
// underscore. A test's list gives every case words of its own.
#pragma once

#include <cctype>
#include <string>

namespace korbo::test {

inline std::string CaseName(std::string words) {
    for (char& ch : words)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return words;
}

// For INSTANTIATE_TEST_SUITE_P: names each case after its `why`.
struct NamedByWhy {
    template <class Info>
    std::string operator()(const Info& info) const {
        return CaseName(info.param.why);
    }
};

}  // namespace korbo::test
