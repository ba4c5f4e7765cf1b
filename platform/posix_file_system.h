// The file system of the machine the portable core runs on natively
// (benchmarks and tools). Paths are used as given, without conversion.
#pragma once

#include <memory>

#include "platform/file_system.h"

namespace koru {

std::unique_ptr<FileSystem> MakePosixFileSystem();

}  // namespace koru
