// Loading an outside library by file name and looking up its exports: the
// seam under the archiver binding. Windows loads DLLs; native tests hand out
// functions of their own.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace koru {

class LoadedModule {
 public:
  virtual ~LoadedModule() = default;  // unloads the library
  // The address of the named export, or null.
  virtual void* Lookup(const char* exportName) = 0;
};

class ModuleLoader {
 public:
  virtual ~ModuleLoader() = default;
  // Null when the library cannot be loaded (missing, or not for this
  // architecture).
  virtual std::unique_ptr<LoadedModule> LoadModule(const std::string& fileName) = 0;
};

}  // namespace koru
