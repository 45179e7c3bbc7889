# Which folder may include what, checked when the build is configured: a broken rule stops the
# configuration with the file and the line. docs/architecture.md draws the same rules.
#
#   folder                          may not include
#   app/ gui/ hypercube/ export/    SDL, FreeType, fontconfig (they stay behind the back ends)
#   render/ page/ platform/ core    (fontconfig's headers sit in the system's include directory,
#   gdi                              where no missing include path would catch them)
#   export/                         GL, app/, gui/, render/, page/, platform/; hypercube/ but for
#                                   WindowLens.h, the lens's numbers
#   gui/ hypercube/                 export/, render/, page/, the command line
#   figure/                         GL, platform/, render/, page/, the command line
#   render/                         page/, the command line
#   page/                           render/, the command line; export/ but for Figure.h, its
#                                   writers SvgFigure.h and PdfFigure.h, and FileKinds.h
#   platform/webgl/                 platform/web/ and the other back ends, emscripten
#   platform/web/                   platform/webgl/ but for GlCurrent.h and WebGlSink.h
#   platform/sdl/ web/ freetype/    platform/core/ but for Backend.h, Input.h and Utf16Text.h
#
# The command line (app/CommandLine.h) chooses between the window and a file, so only app/ itself
# reaches it; the shell that the rest uses is the other headers of app/.
# The files of the tree that the globs name.
function(tessary_rule_files result)
    set(files)
    foreach(glob IN LISTS ARGN)
        file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${glob})
        list(APPEND files ${found})
    endforeach()
    set(${result} ${files} PARENT_SCOPE)
endfunction()
function(tessary_forbid_includes label pattern)
    tessary_rule_files(files ${ARGN})
    foreach(file IN LISTS files)
        file(STRINGS ${file} forbidden REGEX "^#include [<\"](${pattern})")
        if(forbidden)
            message(FATAL_ERROR "${file} includes ${label}: ${forbidden}")
        endif()
    endforeach()
endfunction()
# A folder that reaches `folder` only through the headers `allowed` (a pattern of names in it).
function(tessary_limit_includes label folder allowed)
    tessary_rule_files(files ${ARGN})
    foreach(file IN LISTS files)
        file(STRINGS ${file} reached REGEX "^#include \"${folder}")
        list(FILTER reached EXCLUDE REGEX "^#include \"${folder}(${allowed})\"")
        if(reached)
            message(FATAL_ERROR "${file} includes ${label}: ${reached}")
        endif()
    endforeach()
endfunction()

set(neutral app/*.cpp app/*.h gui/*.cpp gui/*.h hypercube/*.cpp hypercube/*.h export/*.cpp export/*.h
    figure/*.cpp figure/*.h render/*.cpp render/*.h page/*.cpp page/*.h platform/*.h platform/*.cpp platform/core/*.cpp
    platform/core/*.h platform/gdi/*.cpp platform/gdi/*.h platform/webgl/*.cpp platform/webgl/*.h)
tessary_forbid_includes("a back end's library" "SDL|ft2build|freetype|fontconfig" ${neutral})
tessary_forbid_includes("what a file format needs not know" "GL/|platform/|app/|gui/|render/|page/"
    export/*.cpp export/*.h)
# The kinds' table draws pictures at the lens's 4:3; the lens is numbers only, and the rest of the
# viewer stays out of reach.
tessary_limit_includes("more of the viewer than its lens" "hypercube/" "WindowLens\\.h" export/*.cpp export/*.h)
set(command_line "app/CommandLine\\.h")
tessary_forbid_includes("a room above it" "export/|render/|page/|${command_line}"
    gui/*.cpp gui/*.h hypercube/*.cpp hypercube/*.h)
tessary_forbid_includes("a room beside or above it" "page/|${command_line}" render/*.cpp render/*.h)
# A figure is worked out without OpenGL, so that every build draws the same one.
tessary_forbid_includes("what a figure is drawn without" "GL/|platform/|render/|page/|${command_line}"
    figure/*.cpp figure/*.h)
tessary_forbid_includes("a room beside or above it" "render/|${command_line}" page/*.cpp page/*.h)
# The page saves the desktop's vector figures: of the file formats it needs a figure and its two
# writers, and FileKinds for the widths a picture may have (which figure/ reads too).
tessary_limit_includes("more of the file formats than a figure's" "export/" "(Figure|SvgFigure|PdfFigure|FileKinds)\\.h"
    page/*.cpp page/*.h)
# A windowing back end reaches the core through its two seams, Backend.h and Input.h, and the UTF-16
# conversions every side shares; the window record, the queue and the rest stay the core's own. A
# text back end (platform/freetype, the web's WebTextBackend) reaches GDI through TextBackend.h and
# needs of the core at most the UTF-16 conversions.
tessary_limit_includes("more of the core than its seams" "platform/core/" "(Backend|Input|Utf16Text)\\.h"
    platform/sdl/*.cpp platform/sdl/*.h platform/web/*.cpp platform/web/*.h platform/freetype/*.cpp
    platform/freetype/*.h)
# The GL emulation is OpenGL over WebGL and knows nothing of the browser's back end: it reaches the
# page only through its JavaScript libraries. The back end reaches it through the pipeline it makes
# current (GlCurrent.h) and the sink that pipeline draws into (WebGlSink.h).
tessary_forbid_includes("a back end or emscripten" "platform/(web|sdl|freetype|windows)/|emscripten"
    platform/webgl/*.cpp platform/webgl/*.h)
tessary_limit_includes("more of the GL emulation than GlCurrent.h and WebGlSink.h" "platform/webgl/"
    "GlCurrent\\.h|WebGlSink\\.h" platform/web/*.cpp platform/web/*.h)
