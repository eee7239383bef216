// Replays a fuzz target's seed corpus without libFuzzer: every file of the folders (or the
// files) named on the command line goes once through LLVMFuzzerTestOneInput. A crash, a
// sanitizer report or an abort fails the test; so does a corpus that holds no file, since
// a replay of nothing would pass whatever the reader does.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool Replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return false;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    long replayed = 0;
    for (int a = 1; a < argc; ++a) {
        const fs::path arg(argv[a]);
        std::error_code ec;
        if (fs::is_directory(arg, ec)) {
            std::vector<fs::path> files;
            for (const auto& e : fs::directory_iterator(arg, ec))
                if (e.is_regular_file()) files.push_back(e.path());
            std::sort(files.begin(), files.end());
            for (const auto& f : files) replayed += Replay(f) ? 1 : 0;
        } else if (fs::is_regular_file(arg, ec)) {
            replayed += Replay(arg) ? 1 : 0;
        } else {
            std::fprintf(stderr, "no corpus at %s\n", argv[a]);
            return 1;
        }
    }
    std::printf("replayed %ld inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
