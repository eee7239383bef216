#include "platform/sound_player.h"

namespace korbo::platform {

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}
SoundPlayer::~SoundPlayer() = default;
void SoundPlayer::PlayResource(int) {}
void SoundPlayer::PlayFile(const QString&, bool) {}
void SoundPlayer::Stop() {}

}  // namespace korbo::platform
