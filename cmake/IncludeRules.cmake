# What each library may include, checked when the build is configured: a broken rule stops the
# configuration with the file and the line. docs/architecture.md draws the same rules.
#
#   library                         may not include
#   every library of the program    SDL, FreeType, fontconfig (they stay behind the back ends;
#   and of the platform but the     fontconfig's headers sit in the system's include directory,
#   back ends                       where no missing include path would catch them)
#   tessary_export                  GL, app/, gui/, figure/, render/, page/, platform/; hypercube/
#                                   but for WindowLens.h, the lens's numbers
#   tessary_gui, tessary_hypercube  export/, figure/, render/, page/, the command line
#   tessary_figure                  GL, platform/, app/, render/, page/, the command line
#   tessary_render                  page/, the command line
#   tessary_tour                    GL, platform/, app/, gui/, render/, page/, figure/; export/
#                                   but for FileKinds.h, the clip's limits
#   tessary_page                    render/, the command line; export/ but for Figure.h, its writer
#                                   FigureText.h, and FileKinds.h
#   tessary_webgl_core              the back ends' folders, emscripten
#   tessary_backend_web             platform/webgl/ but for GlCurrent.h and WebGlSink.h
#   tessary_backend_sdl, _web       platform/core/ but for Backend.h, Input.h and Utf16Text.h
#   tessary_text_freetype, _web     platform/core/ but for Utf16Text.h
#
# The command line (app/CommandLine.h) chooses between the window and a file, so only app/ itself
# reaches it; the shell that the rest uses is the other headers of app/.
#
# A library's files are the sources and headers of its folder: tessary_<folder> for the program's
# folders (CMakeLists.txt), and for the platform's libraries the folders below, whichever of them
# this build compiles, so that every rule is checked in every build.
set(TESSARY_PLATFORM_FOLDERS
    tessary_platform platform
    tessary_platform_core platform/core
    tessary_platform_gdi platform/gdi
    tessary_backend_sdl platform/sdl
    tessary_text_freetype platform/freetype
    tessary_backend_web platform/web
    tessary_text_web platform/webtext
    tessary_webgl_core platform/webgl)

# The files of `library`, as absolute paths.
function(tessary_library_files result library)
    list(FIND TESSARY_PLATFORM_FOLDERS ${library} at)
    if(at EQUAL -1)
        string(REGEX REPLACE "^tessary_" "" folder ${library})
    else()
        math(EXPR at "${at} + 1")
        list(GET TESSARY_PLATFORM_FOLDERS ${at} folder)
    endif()
    if(NOT IS_DIRECTORY ${CMAKE_SOURCE_DIR}/${folder})
        message(FATAL_ERROR "cmake/IncludeRules.cmake: ${library} has no folder ${folder}")
    endif()
    file(GLOB files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/${folder}/*.h)
    set(${result} ${files} PARENT_SCOPE)
endfunction()

# `library` includes nothing that `pattern` matches.
function(tessary_forbid_includes library label pattern)
    tessary_library_files(files ${library})
    foreach(file IN LISTS files)
        file(STRINGS ${file} forbidden REGEX "^#include [<\"](${pattern})")
        if(forbidden)
            message(FATAL_ERROR "${file} (${library}) includes ${label}: ${forbidden}")
        endif()
    endforeach()
endfunction()

# `library` reaches `folder` only through the headers `allowed` (a pattern of names in it).
function(tessary_limit_includes library label folder allowed)
    tessary_library_files(files ${library})
    foreach(file IN LISTS files)
        file(STRINGS ${file} reached REGEX "^#include \"${folder}")
        list(FILTER reached EXCLUDE REGEX "^#include \"${folder}(${allowed})\"")
        if(reached)
            message(FATAL_ERROR "${file} (${library}) includes ${label}: ${reached}")
        endif()
    endforeach()
endfunction()

foreach(library tessary_app tessary_gui tessary_hypercube tessary_export tessary_figure tessary_model tessary_render
        tessary_page tessary_tour tessary_platform tessary_platform_core tessary_platform_gdi tessary_webgl_core)
    tessary_forbid_includes(${library} "a back end's library" "SDL|ft2build|freetype|fontconfig")
endforeach()
set(command_line "app/CommandLine\\.h")
tessary_forbid_includes(tessary_export "what a file format needs not know"
    "GL/|platform/|app/|gui/|figure/|render/|page/")
# The kinds' table draws pictures at the lens's 4:3; the lens is numbers only, and the rest of the
# viewer stays out of reach.
tessary_limit_includes(tessary_export "more of the viewer than its lens" "hypercube/" "WindowLens\\.h")
foreach(library tessary_gui tessary_hypercube)
    tessary_forbid_includes(${library} "a room above it" "export/|figure/|render/|page/|${command_line}")
endforeach()
tessary_forbid_includes(tessary_render "a room beside or above it" "page/|${command_line}")
# A figure is worked out without OpenGL, so that every build draws the same one, and from the lens and
# the screen rather than the shell.
tessary_forbid_includes(tessary_figure "what a figure is drawn without"
    "GL/|platform/|app/|render/|page/|${command_line}")
# A model is worked out without OpenGL too, from the screen's vertices, and written in memory, so that
# the page's files are the desktop's.
tessary_forbid_includes(tessary_model "what a model is made without"
    "GL/|platform/|app/|figure/|render/|page/|${command_line}")
tessary_limit_includes(tessary_model "more of the file formats than the kinds and the compression" "export/"
    "(FileKinds|Deflate)\\.h")
tessary_forbid_includes(tessary_page "a room beside or above it" "render/|${command_line}")
# A tour is views and time only: the command line, render/ and the page each play it their own way.
tessary_forbid_includes(tessary_tour "what a tour is timed without" "GL/|platform/|app/|gui/|render/|page/|figure/")
tessary_limit_includes(tessary_tour "more of the file formats than the clip's limits" "export/" "FileKinds\\.h")
# The page saves the desktop's vector figures: of the file formats it needs a figure, its writer
# FigureText, and FileKinds for the figure kinds and the widths a picture may have (which figure/
# reads too).
tessary_limit_includes(tessary_page "more of the file formats than a figure's" "export/"
    "(Figure|FigureText|FileKinds)\\.h")
# A windowing back end reaches the core through its two seams, Backend.h and Input.h, and the UTF-16
# conversions every side shares; the window record, the queue and the rest stay the core's own. A
# text back end reaches GDI through TextBackend.h and needs of the core at most the UTF-16
# conversions.
foreach(library tessary_backend_sdl tessary_backend_web)
    tessary_limit_includes(${library} "more of the core than its seams" "platform/core/"
        "(Backend|Input|Utf16Text)\\.h")
endforeach()
foreach(library tessary_text_freetype tessary_text_web)
    tessary_limit_includes(${library} "more of the core than the UTF-16 conversions" "platform/core/"
        "Utf16Text\\.h")
endforeach()
# The GL emulation is OpenGL over WebGL and knows nothing of the browser's back end: it reaches the
# page only through its JavaScript libraries. The back end reaches it through the pipeline it makes
# current (GlCurrent.h) and the sink that pipeline draws into (WebGlSink.h).
tessary_forbid_includes(tessary_webgl_core "a back end or emscripten"
    "platform/(web|webtext|sdl|freetype|windows)/|emscripten")
tessary_limit_includes(tessary_backend_web "more of the GL emulation than GlCurrent.h and WebGlSink.h"
    "platform/webgl/" "GlCurrent\\.h|WebGlSink\\.h")
