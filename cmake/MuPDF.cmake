# Debian ships MuPDF only as static archives, and its mupdf.pc misses freetype and harfbuzz.
find_library(MUPDF_LIB mupdf PATHS /usr/lib REQUIRED)
find_library(MUPDF_THIRD_LIB mupdf-third PATHS /usr/lib REQUIRED)
pkg_check_modules(MUPDF_DEPS REQUIRED IMPORTED_TARGET freetype2 harfbuzz libopenjp2 zlib)
add_library(mupdf::mupdf INTERFACE IMPORTED)
target_link_libraries(mupdf::mupdf INTERFACE
  ${MUPDF_LIB} ${MUPDF_THIRD_LIB} mujs gumbo jbig2dec jpeg PkgConfig::MUPDF_DEPS m Threads::Threads)
