// One copy of the game without a window: a headless table on a real socket.
#include <ostream>

#include "netplay.h"

namespace korbo::netplay {

int RunCopy(const Options&, std::ostream& out, std::ostream& err) {
    err << "korbo-netplay: this build has no network table yet\n";
    out << "DONE 0" << std::endl;
    return 1;
}

}  // namespace korbo::netplay
