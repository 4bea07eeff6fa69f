#pragma once
// Inputs read once forward rather than by place: standard input, pipes and devices, and packed
// files (gzip, bzip2, xz, zstd, and the *.pgn members of a zip archive). Which packing an input
// has is told by its first bytes. Their games keep their journals, as nothing can read the text
// again by place.

#include <filesystem>

#include "Upgnread/pgnscan.h"
#include "platform/platform.h"
#include "plugcommon/gamerecords.h"
#include "unpack/bytesource.h"
#include "unpack/decoder.h"

struct TStreamInput {
  TOsFile file;
  TByteSource source{file};
  TPacking packing = TPacking::plain;
  bool sized = false;  // a regular file: its packed size is known for the progress
};

// Opens the input when it is read as a stream; false for a plain regular file (and for one that
// cannot be opened), which the caller reads by place.
bool openAsStream(const std::filesystem::path& path, TStreamInput& input);

// Reads the input's texts into the batch, each with a record of its own, named
// "ARCHIVE:MEMBER" for an archive's members; answers the last scan's code.
int loadStream(const std::filesystem::path& path, TStreamInput& input, bool applyFilters,
               TGames& batch, const TBatchSink* sink);
