#pragma once
// The libarchive functions the zip reader calls, looked up when a zip archive is first opened.
// Linked at start, the library and what it brings in (an XML parser and a Unicode library) would
// cost every run their relocations, and most runs read no zip at all.

#include <archive.h>
#include <archive_entry.h>

struct TArchiveCalls {
  decltype(&archive_read_new) readNew = nullptr;
  decltype(&archive_read_support_format_zip_streamable) supportZipStreamable = nullptr;
  decltype(&archive_read_open) readOpen = nullptr;
  decltype(&archive_read_next_header) readNextHeader = nullptr;
  decltype(&archive_read_data_block) readDataBlock = nullptr;
  decltype(&archive_read_free) readFree = nullptr;
  decltype(&archive_error_string) errorString = nullptr;
  decltype(&archive_entry_pathname) entryPathname = nullptr;
  decltype(&archive_entry_filetype) entryFiletype = nullptr;
};

// Every call found, or null where the library cannot be loaded or lacks one.
const TArchiveCalls* archiveCalls();
