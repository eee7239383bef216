// A game behind the recording view, in a program folder of its own, for the dialogs that
// read and change the game's settings: their boxes are recorded and answered from a script.
#pragma once

#include <QTemporaryDir>

#include "fakes/manual_clock.h"
#include "fakes/recording_view.h"
#include "game/game.h"
#include "game/random.h"

namespace korbo::test {

struct DialogGame {
    QTemporaryDir dir;
    RecordingView view;
    ManualClock clock;
    MtRandom rnd{99};
    Game game{view, rnd, clock};
    DialogGame() { game.BaseDir = dir.path().toStdString(); }
    QString Path(const QString& rel) const { return dir.path() + "/" + rel; }
};

}  // namespace korbo::test
