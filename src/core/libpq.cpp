#include "core/libpq.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace qz {
namespace {

#ifdef _WIN32
// Beside the .exe, the system folders, then PATH, where a PostgreSQL client
// installation puts its bin folder; never the current folder, where a build
// may run in a checkout that anyone could have put a libpq.dll into.
constexpr const char* kLibraryName = "libpq.dll";
void* open_library() {
  SetDllDirectoryW(L"");
  return reinterpret_cast<void*>(LoadLibraryA(kLibraryName));
}
void* find_symbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
#else
constexpr const char* kLibraryName = "libpq.so.5";
void* open_library() { return dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL); }
void* find_symbol(void* library, const char* name) { return dlsym(library, name); }
#endif

struct Loaded {
  Libpq functions{};
  std::string failure;  // empty when every function was found
};

template <typename Function>
void take(void* library, Function& function, const char* name, std::string& failure) {
  function = reinterpret_cast<Function>(find_symbol(library, name));
  if (function == nullptr && failure.empty()) {
    failure = std::string("the PostgreSQL client library (libpq) lacks the function ") + name;
  }
}

Loaded load() {
  Loaded loaded;
  void* library = open_library();
  if (library == nullptr) {
    loaded.failure = "the PostgreSQL client library (libpq) was not found";
    return loaded;
  }
  Libpq& pq = loaded.functions;
  std::string& failure = loaded.failure;
  take(library, pq.connectdb_params, "PQconnectdbParams", failure);
  take(library, pq.status, "PQstatus", failure);
  take(library, pq.error_message, "PQerrorMessage", failure);
  take(library, pq.finish, "PQfinish", failure);
  take(library, pq.set_notice_processor, "PQsetNoticeProcessor", failure);
  take(library, pq.exec, "PQexec", failure);
  take(library, pq.exec_params, "PQexecParams", failure);
  take(library, pq.result_status, "PQresultStatus", failure);
  take(library, pq.result_error_field, "PQresultErrorField", failure);
  take(library, pq.clear, "PQclear", failure);
  take(library, pq.ntuples, "PQntuples", failure);
  take(library, pq.nfields, "PQnfields", failure);
  take(library, pq.getvalue, "PQgetvalue", failure);
  take(library, pq.getlength, "PQgetlength", failure);
  take(library, pq.getisnull, "PQgetisnull", failure);
  take(library, pq.put_copy_data, "PQputCopyData", failure);
  take(library, pq.put_copy_end, "PQputCopyEnd", failure);
  take(library, pq.get_result, "PQgetResult", failure);
  // The library stays loaded: its functions are used until the process ends.
  return loaded;
}

}  // namespace

const Libpq* load_libpq(std::string& reason) {
  static const Loaded loaded = load();
  reason = loaded.failure;
  return loaded.failure.empty() ? &loaded.functions : nullptr;
}

}  // namespace qz
