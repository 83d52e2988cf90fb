// Whether speech would reach a loudspeaker at all: the speech service plays through a sound
// server or straight to a playback device, and without either it fails to open its audio and
// says nothing to its clients.
#pragma once

#include <filesystem>
#include <string>

namespace speech {

// Where sound servers and playback devices are found.
struct AudioPlaces {
  std::string pulse_server;             // PULSE_SERVER, a server named outright
  std::filesystem::path runtime_dir;    // XDG_RUNTIME_DIR: pulse/native, pipewire-0
  std::filesystem::path system_pulse;   // a system-wide server's socket
  std::filesystem::path sound_devices;  // the ALSA device folder: pcmC0D0p plays
};

// The places of this machine and user.
AudioPlaces SystemAudioPlaces();

// True when a sound server's socket or a playback device exists (or a server is named).
bool AudioOutputFound(const AudioPlaces& places);

}  // namespace speech
