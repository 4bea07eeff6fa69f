#pragma once
// Output packed by its name's ending. Each piece of text written is packed as a stream of its
// own: every reader of these packings takes streams one after another as one text, so a file
// written in several flushes, or appended to later, unpacks to the games in the order written.

#include <filesystem>
#include <string>
#include <string_view>

#include "unpack/decoder.h"

// The packing a file name asks for by its ending, after ".pgn": ".gz", ".bz2", ".xz" or ".zst",
// in any letter case; plain for any other name.
TPacking packingOfName(const std::filesystem::path& name);
bool packingWritten(TPacking packing);
// "gzip, bzip2, xz, zstd" as far as this build writes them; "none" without any.
std::string packingsWrittenText();
// Appends text packed as one whole stream to packed; false when it could not be packed.
bool packText(TPacking packing, std::string_view text, std::string& packed);

// Each packing this build writes, in the file that also reads it.
bool packGzip(std::string_view text, std::string& packed);
bool packBzip2(std::string_view text, std::string& packed);
bool packXz(std::string_view text, std::string& packed);
bool packZstd(std::string_view text, std::string& packed);
