# The libraries that read packed inputs, each optional: a build without one reads the others and
# names what it lacks (gamesift --version). The Windows builds link their DLL and tool statically,
# so they take MinGW's static zlib (gzip, and zip archives read with it) alone for now: the other
# libraries have no MinGW build among the system's packages.
option(GAMESIFT_PACKED_INPUTS
       "Read .gz, .bz2, .xz, .zst and .zip inputs where the libraries are found" ON)

# Adds one packing's decoder, and its encoder where it has one, when its library was found, and
# names it in found.
macro(gamesift_add_packing found_variable source definition library name)
  if(${found_variable})
    target_sources(${target} PRIVATE ${folder}/${source}.cpp)
    if(EXISTS ${folder}/${name}encoder.cpp)
      target_sources(${target} PRIVATE ${folder}/${name}encoder.cpp)
    endif()
    target_compile_definitions(${target} PRIVATE ${definition}=1)
    target_link_libraries(${target} PUBLIC ${library})
    list(APPEND found ${name})
  endif()
endmacro()

function(gamesift_packed_inputs target folder)
  set(found "")
  if(GAMESIFT_PACKED_INPUTS AND WIN32)
    set(ZLIB_USE_STATIC_LIBS ON)
    find_package(ZLIB QUIET)
    gamesift_add_packing(ZLIB_FOUND gzipdecoder GAMESIFT_HAVE_ZLIB ZLIB::ZLIB gzip)
    if(ZLIB_FOUND)
      target_sources(${target} PRIVATE ${folder}/zipzlib.cpp)
      list(APPEND found zip)
    endif()
  elseif(GAMESIFT_PACKED_INPUTS)
    find_package(ZLIB QUIET)
    find_package(BZip2 QUIET)
    find_package(LibLZMA QUIET)
    find_package(LibArchive QUIET)
    # libzstd ships no CMake package on Debian, only a pkg-config file.
    find_package(PkgConfig QUIET)
    if(PKG_CONFIG_FOUND)
      pkg_check_modules(GAMESIFT_ZSTD QUIET IMPORTED_TARGET libzstd)
    endif()
    gamesift_add_packing(ZLIB_FOUND gzipdecoder GAMESIFT_HAVE_ZLIB ZLIB::ZLIB gzip)
    gamesift_add_packing(BZIP2_FOUND bzip2decoder GAMESIFT_HAVE_BZIP2 BZip2::BZip2 bzip2)
    gamesift_add_packing(LIBLZMA_FOUND xzdecoder GAMESIFT_HAVE_LZMA LibLZMA::LibLZMA xz)
    gamesift_add_packing(GAMESIFT_ZSTD_FOUND zstddecoder GAMESIFT_HAVE_ZSTD
                         PkgConfig::GAMESIFT_ZSTD zstd)
    # libarchive is loaded when a zip is first opened: linked, it and what it brings in would
    # cost every run their relocations. Only its headers are taken here, and the name the
    # system's loader finds it by (its file name up to the major version).
    if(LibArchive_FOUND)
      add_library(gamesift_libarchive_headers INTERFACE)
      target_include_directories(gamesift_libarchive_headers INTERFACE ${LibArchive_INCLUDE_DIRS})
      target_link_libraries(gamesift_libarchive_headers INTERFACE ${CMAKE_DL_LIBS})
      file(REAL_PATH "${LibArchive_LIBRARIES}" archive_file)
      get_filename_component(archive_name "${archive_file}" NAME)
      string(REGEX MATCH "^[^.]+\\.so\\.[0-9]+" archive_soname "${archive_name}")
      if(NOT archive_soname)
        set(archive_soname "${archive_name}")
      endif()
      target_compile_definitions(gamesift_libarchive_headers
                                 INTERFACE GAMESIFT_LIBARCHIVE_FILE="${archive_soname}")
      target_sources(${target} PRIVATE ${folder}/archivecalls.cpp)
    endif()
    gamesift_add_packing(LibArchive_FOUND zipinput GAMESIFT_HAVE_LIBARCHIVE
                         gamesift_libarchive_headers zip)
    # zlib alone reads zip archives too, where libarchive is missing; the tests read both ways.
    if(ZLIB_FOUND)
      target_sources(${target} PRIVATE ${folder}/zipzlib.cpp)
      if(NOT LibArchive_FOUND)
        list(APPEND found zip)
      endif()
    endif()
  endif()
  if(NOT found)
    set(found none)
  endif()
  string(REPLACE ";" ", " found "${found}")
  message(STATUS "gamesift: packed inputs read: ${found}")
endfunction()
