# The panel's four pictures, made at build time beside the DLL and the host stand-in, so that the
# repository holds no binary files. Their look is ours to choose: plain gradients in the host's
# greys, the pressed faces darker.
find_program(GAMESIFT_CONVERT convert)
set(convert_works FALSE)
if(GAMESIFT_CONVERT)
  execute_process(COMMAND ${GAMESIFT_CONVERT} -version OUTPUT_VARIABLE convert_version
                  ERROR_QUIET RESULT_VARIABLE convert_status)
  # A stand-in that only shows pictures must not be taken for ImageMagick.
  if(convert_status EQUAL 0 AND convert_version MATCHES "ImageMagick")
    set(convert_works TRUE)
  endif()
endif()

if(NOT convert_works)
  message(STATUS "gamesift: ImageMagick's convert is missing (package imagemagick): "
                 "the panel pictures are not made")
  return()
endif()

# name;size;gradient
set(panel_pictures
  "images/party_bg.gif|64x35|gradient:#fbfbfb-#dcdcdc"
  "images/party_bg_d.gif|64x35|gradient:#d4dcea-#a9b6cc"
  "plugins/obzor_u.gif|90x21|gradient:#f6f6f6-#d2d2d2"
  "plugins/obzor_d.gif|90x21|gradient:#c8c8c8-#e8e8e8")
set(picture_files "")
foreach(entry IN LISTS panel_pictures)
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 name)
  list(GET parts 1 size)
  list(GET parts 2 fill)
  set(output ${CMAKE_BINARY_DIR}/${name})
  get_filename_component(folder ${output} DIRECTORY)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${GAMESIFT_CONVERT} -size ${size} ${fill} ${output}
    DEPENDS ${CMAKE_SOURCE_DIR}/cmake/PanelPictures.cmake
    COMMENT "Making the panel picture ${name}"
    VERBATIM)
  list(APPEND picture_files ${output})
endforeach()
add_custom_target(gamesift_pictures ALL DEPENDS ${picture_files})
