// How long the table takes to reach a shown window, and how much processor time it uses
// while the game waits for the player: a pacing wait, the computer's impatience wait (45 s)
// and a plain idle spell of the event loop. Run it on a real display (or
// under Xvfb): table_idle [seconds]
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>

#include "display/frmKorbo.h"
#include "ui/table_fixture.h"

namespace {

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer startClock;
    startClock.start();
    QApplication app(argc, argv);
    const double wait = argc > 1 ? std::atof(argv[1]) : 45.0;

    korbo::ui::frmKorbo t;
    korbo::Game& g = t.game();
    korbo::test::StartTable(t, g.ScreenWidth);
    t.show();
    app.processEvents();
    const double shownMs = startClock.nsecsElapsed() / 1e6;

    // A dealt table with its walks paced to frames, then the wait for the player.
    g.SoundLevel = 2;
    g.TempoDelay = 0;
    QElapsedTimer wall;
    wall.start();
    double cpu0 = CpuSeconds();
    const long frames0 = t.FramesShown();
    g.Command2_Click();
    const double dealCpu = CpuSeconds() - cpu0, dealWall = wall.nsecsElapsed() / 1e9;
    const long dealFrames = t.FramesShown() - frames0;
    app.processEvents();

    // Walks paced to the screen: each step one frame.
    std::string walkLines;
    walkLines += "walks of 45, 2 and 250 steps from a hand place to the first centre pile:\n";
    for (int steps : {45, 2, 250}) {
        g.WalkSteps = static_cast<int16_t>(steps);
        t.Picture7(3).SetVisible(true);
        const long f0 = t.FramesShown();
        QElapsedTimer walk;
        walk.start();
        t.WalkTheCard(korbo::Ctl::Picture7, 3, korbo::Ctl::Picture4, 1);
        const double ms = walk.nsecsElapsed() / 1e6;
        const long frames = t.FramesShown() - f0;
        char line[120];
        std::snprintf(line, sizeof line, "  %3d steps: %ld frames in %.0f ms (%.1f ms a frame)\n", steps, frames, ms,
                      frames ? ms / frames : 0.0);
        walkLines += line;
    }

    cpu0 = CpuSeconds();
    wall.restart();
    g.Delay(wait);
    const double waitCpu = CpuSeconds() - cpu0, waitWall = wall.nsecsElapsed() / 1e9;

    // The computer's impatience wait for the human, which ends after 45 s.
    cpu0 = CpuSeconds();
    wall.restart();
    g.AwaitingPlayer = true;
    g.ImPatient();
    const double impCpu = CpuSeconds() - cpu0, impWall = wall.nsecsElapsed() / 1e9;

    cpu0 = CpuSeconds();
    wall.restart();
    QTimer::singleShot(static_cast<int>(wait * 1000), &app, &QCoreApplication::quit);
    app.exec();
    const double idleCpu = CpuSeconds() - cpu0, idleWall = wall.nsecsElapsed() / 1e9;

    std::printf("start-up to a shown table: %.0f ms\n", shownMs);
    std::printf("deal and the computer's first turn: %ld frames, %.2f s wall, %.2f s processor\n", dealFrames,
                dealWall, dealCpu);
    std::printf("%s", walkLines.c_str());
    std::printf("pacing wait: %.1f s wall, %.3f s processor (%.3f %%)\n", waitWall, waitCpu, 100 * waitCpu / waitWall);
    std::printf("impatience wait: %.1f s wall, %.3f s processor (%.3f %%)\n", impWall, impCpu, 100 * impCpu / impWall);
    std::printf("idle event loop: %.1f s wall, %.3f s processor (%.3f %%)\n", idleWall, idleCpu,
                100 * idleCpu / idleWall);
    return 0;
}
