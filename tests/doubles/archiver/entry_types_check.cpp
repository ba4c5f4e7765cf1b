// Built, never run: KORU calls every archiver export through a function type
// of its own (archive/archiver_api.h), and the doubles declare their exports
// as a library's header does. The same type means the same arguments and,
// on i686 where the calling convention is part of the type, the same
// convention: a mismatch stops the build.
#include <type_traits>

#include "archive/archiver_api.h"
#include "archiver_exports.h"

namespace api = koru::ArchiverN::api;

static_assert(std::is_same_v<decltype(&ArcMain), api::MainProc>);
static_assert(std::is_same_v<decltype(&ArcGetVersion), api::GetVersionProc>);
static_assert(std::is_same_v<decltype(&ArcGetRunning), api::GetRunningProc>);
static_assert(std::is_same_v<decltype(&ArcCheckArchive), api::CheckArchiveProc>);
static_assert(std::is_same_v<decltype(&ArcGetFileCount), api::GetFileCountProc>);
static_assert(std::is_same_v<decltype(&ArcOpenArchive), api::OpenArchiveProc>);
static_assert(std::is_same_v<decltype(&ArcCloseArchive), api::CloseArchiveProc>);
static_assert(std::is_same_v<decltype(&ArcFindFirst), api::FindFirstProc>);
static_assert(std::is_same_v<decltype(&ArcFindNext), api::FindNextProc>);
static_assert(std::is_same_v<decltype(&ArcConfigDialog), api::ConfigDialogProc>);
static_assert(std::is_same_v<decltype(&ArcSetOwnerWindowEx), api::SetOwnerWindowExProc>);
static_assert(std::is_same_v<decltype(&ArcSetCursorMode), api::SetCursorModeProc>);
static_assert(std::is_same_v<LPARCHIVERPROC, api::ArchiverProc>);
