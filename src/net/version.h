// The program's own version, as the greeting announces it. The build gives the numbers.
#pragma once

#ifndef KORBO_VERSION_MAJOR
#error "the build gives the program's version numbers"
#endif

namespace korbo::net {

struct ProgramVersion {
    int major, minor, revision;
};
constexpr ProgramVersion kProgramVersion{KORBO_VERSION_MAJOR, KORBO_VERSION_MINOR, KORBO_VERSION_PATCH};

}  // namespace korbo::net
