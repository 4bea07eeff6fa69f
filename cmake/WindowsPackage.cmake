# The archive a user installs from: "cmake --build --preset mingw-i686 --target package" writes
# gamesift-VERSION-windows-ARCH.zip into the build folder. Its files are laid out as the host's
# folder wants them, so installing is unpacking and copying.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(GAMESIFT_PACKAGE_ARCH x86)
else()
  set(GAMESIFT_PACKAGE_ARCH x64)
endif()

# Everything the plug-in needs beside it must be there, or the archive would install a panel
# without pictures or ECO codes.
set(package_ready TRUE)
foreach(target gamesift_plugin gamesift gamesift_pictures gamesift_ecobase)
  if(NOT TARGET ${target})
    message(STATUS "gamesift: no ${target} in this build, so no Windows archive (target package)")
    set(package_ready FALSE)
  endif()
endforeach()
if(NOT package_ready)
  return()
endif()

# Notepad of older Windows shows a file with bare line feeds as one line.
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows-readme.txt ${CMAKE_BINARY_DIR}/README.txt
               @ONLY NEWLINE_STYLE CRLF)

install(TARGETS gamesift_plugin RUNTIME DESTINATION . LIBRARY DESTINATION .)
install(TARGETS gamesift RUNTIME DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/images/party_bg.gif ${CMAKE_BINARY_DIR}/images/party_bg_d.gif
        DESTINATION images)
install(FILES ${CMAKE_BINARY_DIR}/plugins/obzor_u.gif ${CMAKE_BINARY_DIR}/plugins/obzor_d.gif
              ${CMAKE_BINARY_DIR}/plugins/ecos.dat
        DESTINATION plugins)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME gamesift)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME gamesift-${PROJECT_VERSION}-windows-${GAMESIFT_PACKAGE_ARCH})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR})
include(CPack)
