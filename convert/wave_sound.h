// Whether a decoder's output is something the device can play: a decoder
// that reports nothing may still have written nothing, or only a header.
#pragma once

#include "platform/file_system.h"

namespace koru {

// True for a RIFF WAVE file with a format chunk before a data chunk that
// declares and holds at least one byte of sound.
bool HoldsWaveSound(InputFile& file);

}  // namespace koru
