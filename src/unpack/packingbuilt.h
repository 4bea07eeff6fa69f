#pragma once
// The build defines each packing it found a library for as 1.

#ifndef GAMESIFT_HAVE_ZLIB
#define GAMESIFT_HAVE_ZLIB 0
#endif
#ifndef GAMESIFT_HAVE_BZIP2
#define GAMESIFT_HAVE_BZIP2 0
#endif
#ifndef GAMESIFT_HAVE_LZMA
#define GAMESIFT_HAVE_LZMA 0
#endif
#ifndef GAMESIFT_HAVE_ZSTD
#define GAMESIFT_HAVE_ZSTD 0
#endif
#ifndef GAMESIFT_HAVE_LIBARCHIVE
#define GAMESIFT_HAVE_LIBARCHIVE 0
#endif
