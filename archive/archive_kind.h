// Which adapter an archive's file extension calls for.
#pragma once

#include <memory>
#include <string_view>

#include "archive/custom_archiver.h"

namespace koru::ArchiverN {

inline constexpr int kFirstKind = 1;
inline constexpr int kLastKind = 10;
// ".exe": a self-extracting archive of any kind, found by asking the
// libraries in kind order.
inline constexpr int kProbedKind = -1;

// The kind (1..10) of the extension of `path`, compared in lower case;
// kProbedKind for ".exe", 0 for anything else.
int KindOfExtension(std::string_view path);

// The adapter of a kind 1..10, bound to its library; null for any other.
std::unique_ptr<TCustomArchiver> CreateAdapter(int kind, ModuleLoader& loader, ArchiverWindow messageWindow);

}  // namespace koru::ArchiverN
