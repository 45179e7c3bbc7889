# File formats: pictures and clips made from RGBA frames in memory, and the vector figures. Nothing
# here draws, opens a window or knows the cube (cmake/IncludeRules.cmake checks it), so the library
# links only zlib and the image libraries.
#
# The vector figures (SVG, PDF, TikZ) are written by the program's own code on every build, the
# browser's too: they need no library, not even zlib (export/Deflate.h), and give the same bytes
# everywhere. Each of their writers has its own small words for its format (a Point, a Number, the
# decimals it writes) in its anonymous namespace, which the sanitizer build's unity sources would
# join into one: they are compiled alone.
set(EXPORT_FIGURE_SOURCES FigureNumbers.cpp SvgFigure.cpp PdfFigure.cpp TikzFigure.cpp FigureText.cpp Deflate.cpp
    BitWriter.cpp PrefixCode.cpp)
foreach(source IN LISTS EXPORT_FIGURE_SOURCES)
    set_source_files_properties(${CMAKE_SOURCE_DIR}/export/${source} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endforeach()
# The browser saves its pictures and clips with its own encoders: of export/ it has the figures alone.
if(EMSCRIPTEN)
    tessary_folder_library(export SOURCES ${EXPORT_FIGURE_SOURCES})
    return()
endif()
# libwebp and giflib come from Debian; the Windows builds have neither (no mingw-w64 packages of
# them), and no posix_spawn for ffmpeg: there the clips are PNG series only, as FileKinds.h says
# (docs/export.md).
set(EXPORT_LEFT_OUT)
if(WIN32)
    set(EXPORT_LEFT_OUT LosslessWebp.cpp WebpClip.cpp GifClip.cpp FfmpegClip.cpp)
endif()
tessary_folder_library(export EXCLUDE ${EXPORT_LEFT_OUT})
# The PNG encoder is the program's own, over zlib, on every platform (export/PictureFile.h).
# The Windows program carries zlib inside: it needs no DLL beside Windows' own.
if(WIN32)
    set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)
target_link_libraries(tessary_export PUBLIC ZLIB::ZLIB)
if(NOT WIN32)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(WEBP REQUIRED IMPORTED_TARGET libwebp libwebpmux)
    # The tests read the clips back with libwebp's animation decoder.
    pkg_check_modules(WEBP_DEMUX REQUIRED IMPORTED_TARGET libwebpdemux)
    # Debian's giflib has no pkg-config file.
    find_path(GIF_INCLUDE_DIR gif_lib.h REQUIRED)
    find_library(GIF_LIBRARY gif REQUIRED)
    target_include_directories(tessary_export PRIVATE ${GIF_INCLUDE_DIR})
    target_link_libraries(tessary_export PUBLIC PkgConfig::WEBP ${GIF_LIBRARY})
    set_source_files_properties(${CMAKE_SOURCE_DIR}/export/FileWriters.cpp PROPERTIES
        COMPILE_DEFINITIONS "TESSARY_HAVE_WEBP;TESSARY_HAVE_GIF;TESSARY_HAVE_FFMPEG_PIPE")
endif()
