// The RCPCV.DLL double: a file that begins with the RCP header becomes an
// object holding one small standard MIDI file (format 0, a tempo, three
// notes); anything else gives no object.
//
// Misbehaviours (KORU_DOUBLE_MISBEHAVE):
//   zero-length   rcpcvGetSMFLength answers 0
//   huge-length   rcpcvGetSMFLength answers 100 MiB; the data stays small
//   null-data     rcpcvGetSMF answers a null pointer
#include <windows.h>

#include <cstdint>
#include <string>

#include "double_support.h"

namespace koru::doubles {
namespace {

constexpr char kRcpHeader[] = "RCM-PC98V2.0(C)COME ON MUSIC";
constexpr int kHugeLength = 100 * 1024 * 1024;

// 480 ticks a quarter, 120 beats a minute, C E G a quarter each. The
// end-to-end tests compare KORU's output with these bytes.
constexpr unsigned char kSmf[] = {
    'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,
    'M', 'T', 'r', 'k', 0, 0, 0, 38,
    0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,
    0x00, 0x90, 0x3C, 0x60, 0x83, 0x60, 0x80, 0x3C, 0x00,
    0x00, 0x90, 0x40, 0x60, 0x83, 0x60, 0x80, 0x40, 0x00,
    0x00, 0x90, 0x43, 0x60, 0x83, 0x60, 0x80, 0x43, 0x00,
    0x00, 0xFF, 0x2F, 0x00};
static_assert(sizeof kSmf == 22 + 38);

struct Conversion {
  std::string smf;
};

// Pointer-sized values as decimal numbers: the zeros show as "0".
std::string Value(const void* p) { return std::to_string(reinterpret_cast<std::uintptr_t>(p)); }

}  // namespace
}  // namespace koru::doubles

using namespace koru::doubles;

extern "C" {

void* WINAPI RcpcvConvertFile(const char* source, void* a, void* b, void* c, void* d) {
  LogCall("rcpcvConvertFile", std::string(source ? source : "(null)") + " " + Value(a) + " " + Value(b) + " " +
                                  Value(c) + " " + Value(d));
  const std::optional<std::string> bytes = source ? ReadCp932File(source) : std::nullopt;
  if (!bytes || bytes->compare(0, sizeof kRcpHeader - 1, kRcpHeader) != 0) return nullptr;
  return new Conversion{std::string(reinterpret_cast<const char*>(kSmf), sizeof kSmf)};
}

int WINAPI RcpcvGetSmfLength(void* object) {
  LogCall("rcpcvGetSMFLength", Value(object));
  if (Misbehaves("zero-length")) return 0;
  if (Misbehaves("huge-length")) return kHugeLength;
  return object ? static_cast<int>(static_cast<Conversion*>(object)->smf.size()) : 0;
}

const void* WINAPI RcpcvGetSmf(void* object) {
  LogCall("rcpcvGetSMF", Value(object));
  if (Misbehaves("null-data") || !object) return nullptr;
  return static_cast<Conversion*>(object)->smf.data();
}

void WINAPI RcpcvDeleteObject(void* object) {
  LogCall("rcpcvDeleteObject", Value(object));
  delete static_cast<Conversion*>(object);
}

int WINAPI RcpcvGetVersionMajor(void) { return 1; }

int WINAPI RcpcvGetVersionMinor(void) { return 23; }

}  // extern "C"
