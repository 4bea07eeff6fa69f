#pragma once
// Checks made before any job starts, so that a bad path is reported at once, with its name and
// its problem, and nothing is read or written in vain. Each answers an empty text when all is
// well, else the problem (the caller puts the path before it).

#include <filesystem>
#include <string>

enum class TInputKind { file, folder };

// An input is a readable file (read by job 0) or a readable folder (job 1).
std::string checkInput(const std::filesystem::path& path, TInputKind& kind);

// A file that must exist and open for reading: settings, ECO base, opening lines.
std::string checkReadableFile(const std::filesystem::path& path);

// The folder exists and a file can be created in it (tried, not guessed from permission bits,
// which say nothing of read-only mounts or of what the superuser may do).
std::string checkWritableFolder(const std::filesystem::path& folder);

// The folder an output path writes into: its parent, or "." for a bare name.
std::filesystem::path folderOf(const std::filesystem::path& path);

// The base of the output file names: the path as given, or "games" inside it when it names an
// existing folder (or ends with a separator), so "-o out/" writes out/games*.pgn. An ending
// ".pgn", or a packed one (".pgn.zst"), is left to the names' own: "-o out/a.pgn" writes out/a.pgn.
std::filesystem::path outputBaseFrom(const std::filesystem::path& given);
// The ending of the output files' names the path asks for: ".pgn" unless it ends in another
// spelling of it or a packed one, "-o out/a.pgn.gz" writing gzip files out/a*.pgn.gz.
std::string outputEndingFrom(const std::filesystem::path& given);
