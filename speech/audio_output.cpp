// Looking for a sound server's socket or an ALSA playback device.
#include "speech/audio_output.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace speech {

namespace fs = std::filesystem;

namespace {

bool Exists(const fs::path& path) {
  std::error_code error;
  return !path.empty() && fs::exists(path, error);
}

// ALSA names a playback device pcmC<card>D<device>p; a capture device ends in c.
bool HasPlaybackDevice(const fs::path& folder) {
  std::error_code error;
  if (folder.empty() || !fs::is_directory(folder, error)) return false;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    std::string name = entry.path().filename().string();
    if (name.starts_with("pcmC") && name.ends_with("p")) return true;
  }
  return false;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

AudioPlaces SystemAudioPlaces() {
  std::string runtime_dir = Environment("XDG_RUNTIME_DIR");
  if (runtime_dir.empty()) runtime_dir = "/run/user/" + std::to_string(getuid());
  return {Environment("PULSE_SERVER"), runtime_dir, "/run/pulse/native", "/dev/snd"};
}

bool AudioOutputFound(const AudioPlaces& places) {
  return !places.pulse_server.empty() || Exists(places.runtime_dir / "pulse" / "native") ||
         Exists(places.runtime_dir / "pipewire-0") || Exists(places.system_pulse) ||
         HasPlaybackDevice(places.sound_devices);
}

}  // namespace speech
