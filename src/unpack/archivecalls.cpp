#include "unpack/archivecalls.h"

#include "platform/platform.h"

namespace {

template <typename TFunction>
bool findCall(void* library, const char* name, TFunction& call) {
  call = reinterpret_cast<TFunction>(sharedLibraryFunction(library, name));
  return call != nullptr;
}

const TArchiveCalls* loadCalls() {
  static TArchiveCalls calls;
  void* library = loadSharedLibrary(GAMESIFT_LIBARCHIVE_FILE);
  bool found =
      library && findCall(library, "archive_read_new", calls.readNew) &&
      findCall(library, "archive_read_support_format_zip_streamable", calls.supportZipStreamable) &&
      findCall(library, "archive_read_open", calls.readOpen) &&
      findCall(library, "archive_read_next_header", calls.readNextHeader) &&
      findCall(library, "archive_read_data_block", calls.readDataBlock) &&
      findCall(library, "archive_read_free", calls.readFree) &&
      findCall(library, "archive_error_string", calls.errorString) &&
      findCall(library, "archive_entry_pathname", calls.entryPathname) &&
      findCall(library, "archive_entry_filetype", calls.entryFiletype);
  return found ? &calls : nullptr;
}

}  // namespace

const TArchiveCalls* archiveCalls() {
  static const TArchiveCalls* const calls = loadCalls();
  return calls;
}
