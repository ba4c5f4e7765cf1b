// The ogog.dll double: decodes real Ogg Vorbis into a 16-bit PCM WAV file.
// Loading and unloading are logged too ("load", "unload").
//
// Misbehaviours (KORU_DOUBLE_MISBEHAVE):
//   write-nothing   OGG_DecodeFile writes no file
//   header-only     it writes the WAV header of the sound without its samples
//   slow            it takes two seconds more
//   long-version    OGG_GetVersion writes a version text of 1,000 bytes
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "double_support.h"
#include "vorbis.h"

namespace koru::doubles {
namespace {

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string WaveFile(const DecodedSound& sound, bool withSamples) {
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(sound.samples.size() * sizeof(short));
  const std::uint32_t blockAlign = static_cast<std::uint32_t>(sound.channels) * 2;
  std::string wave = "RIFF";
  PutLittleEndian(wave, 36 + dataBytes, 4);
  wave += "WAVEfmt ";
  PutLittleEndian(wave, 16, 4);
  PutLittleEndian(wave, 1, 2);  // PCM
  PutLittleEndian(wave, static_cast<std::uint32_t>(sound.channels), 2);
  PutLittleEndian(wave, static_cast<std::uint32_t>(sound.sampleRate), 4);
  PutLittleEndian(wave, static_cast<std::uint32_t>(sound.sampleRate) * blockAlign, 4);
  PutLittleEndian(wave, blockAlign, 2);
  PutLittleEndian(wave, 16, 2);
  wave += "data";
  PutLittleEndian(wave, dataBytes, 4);
  if (withSamples) wave.append(reinterpret_cast<const char*>(sound.samples.data()), dataBytes);
  return wave;
}

}  // namespace
}  // namespace koru::doubles

using namespace koru::doubles;

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) LogCall("load", "");
  if (reason == DLL_PROCESS_DETACH) LogCall("unload", "");
  return TRUE;
}

int WINAPI OggGetVersion(char* version) {
  LogCall("OGG_GetVersion", "");
  if (!version) return 0;
  const std::string text = Misbehaves("long-version") ? std::string(999, 'v') : std::string("ogog double 1.00");
  std::memcpy(version, text.c_str(), text.size() + 1);
  return 100;
}

int WINAPI OggDecodeFile(const char* source, const char* destination) {
  LogCall("OGG_DecodeFile", std::string(source ? source : "(null)") + " " + (destination ? destination : "(null)"));
  if (Misbehaves("slow")) Sleep(2000);
  if (!source || !destination || Misbehaves("write-nothing")) return -1;
  const std::optional<std::string> ogg = ReadCp932File(source);
  const std::optional<DecodedSound> sound = ogg ? DecodeVorbis(*ogg) : std::nullopt;
  if (!sound) return -1;
  return WriteCp932File(destination, WaveFile(*sound, !Misbehaves("header-only"))) ? 0 : -1;
}

}  // extern "C"
