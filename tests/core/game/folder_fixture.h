// A game in a program folder of its own, with the users and Sounds folders the records
// routines expect.
#pragma once

#include <filesystem>
#include <string>

#include "fakes/game_fixture.h"
#include "fakes/record_bytes.h"

namespace korbo::test {

struct FolderFixture : GameFixture {
    TempDir dir;
    void SetUp() override {
        game.BaseDir = dir.path();
        std::filesystem::create_directories(dir / "users");
        std::filesystem::create_directories(dir / "Sounds");
    }
    std::string Path(const std::string& rel) const { return dir / rel; }
};

}  // namespace korbo::test
