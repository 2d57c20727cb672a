// The program's sound: its WAV clips played through SDL audio.
#pragma once

#include <string>

namespace platform {

// Plays one of the program's clips ("IDR_WAVE_CRACK", ...) asynchronously; a
// new clip cuts the one playing. The audio device opens on the first play;
// when none opens the program stays silent. Unknown names play nothing.
void PlaySoundClip(const std::string& name);

// Closes the audio device (at exit); a later play opens it again.
void ShutdownSound();
// Closes the audio device when no clip is sounding, so that no audio thread
// runs between sounds; false while a clip still plays.
bool ReleaseSoundWhenSilent();

// Whether the audio device is open, and the clip still sounding ("" when idle).
bool SoundDeviceOpen();
std::string PlayingSoundClip();

}  // namespace platform
