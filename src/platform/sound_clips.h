// The ten sound clips carried inside the program: their ids and the exact size of each
// WAV file (44-byte header included). The build's generator writes them, the player loads
// them from the resources. No Qt here: the generator includes this too.
#pragma once

#include <array>

namespace korbo::platform {

struct ResourceClip {
    int Id;
    int Bytes;
};

inline constexpr std::array<ResourceClip, 10> kResourceClips = {{
    {105, 27956}, {109, 27496}, {110, 10160}, {112, 22312}, {116, 8460},
    {117, 8728},  {118, 11684}, {119, 21284}, {121, 29624}, {122, 83092},
}};

// Every clip is mono 16-bit PCM at this rate, behind a plain 44-byte RIFF header.
inline constexpr int kClipRate = 22050;
inline constexpr int kClipChannels = 1;
inline constexpr int kClipBits = 16;
inline constexpr int kWavHeaderBytes = 44;

// The size of clip `id`, or 0 when the program carries no clip of that id.
constexpr int ResourceClipBytes(int id) {
    for (const auto& c : kResourceClips)
        if (c.Id == id) return c.Bytes;
    return 0;
}

}  // namespace korbo::platform
