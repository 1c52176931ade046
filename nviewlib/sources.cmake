# The library's sources, shared by its CMakeLists.txt and the fuzz project
# (fuzz/), which compiles them with clang's sanitizers.
set(NVIEWLIB_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/bitmap_block.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bmp_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decode_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/format_sniff.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/input_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jpeg_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jpeg_encoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jpeg_errors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/library_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/png_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/replacement_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/retained_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nviewlib.cpp
)
