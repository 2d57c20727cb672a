// The program's sound clips ("IDR_WAVE_CHEERS", "IDR_WAVE_CRACK",
// "IDR_WAVE_WRENCH") as WAV data compiled into the window program; defined
// by the source that make_sound_clips writes at build time.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// The WAV bytes of a clip and their count, or nullptr (size 0) for an
// unknown name.
const unsigned char* SoundClipData(const std::string& name, size_t* size);

}  // namespace platform
