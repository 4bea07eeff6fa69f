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
include(CPack)

# Installing from the archive into an empty host folder, under Wine.
get_property(wine_prefix GLOBAL PROPERTY GAMESIFT_WINE_PREFIX)
if(wine_prefix AND TARGET vorlen_host)
  set(native_args "")
  if(GAMESIFT_NATIVE_TOOL)
    set(native_args --native ${GAMESIFT_NATIVE_TOOL})
  endif()
  add_test(NAME wine_package_install
    COMMAND ${GAMESIFT_XVFB_RUN} -a -s "-screen 0 1280x1024x24"
            ${GAMESIFT_BASH} ${CMAKE_SOURCE_DIR}/tests/wine/package/install_from_archive.sh
            --wine ${GAMESIFT_WINE64} --wineserver ${GAMESIFT_WINESERVER} --prefix ${wine_prefix}
            --build ${CMAKE_BINARY_DIR} --host-exe $<TARGET_FILE:vorlen_host>
            --cpack ${CMAKE_CPACK_COMMAND}
            --work ${CMAKE_BINARY_DIR}/wine/package_install ${native_args})
  set_tests_properties(wine_package_install PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT 180
                       RESOURCE_LOCK wine_prefix LABELS wine)
endif()
