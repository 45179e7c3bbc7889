# The program's OpenGL 1.1 and GLU over WebGL, one library. Its pipeline (matrices, batching,
# textures, wide lines) is plain C++, which the native build compiles too, to test it without a
# browser; the browser build adds the GL entry points and the sink that hands the batches to WebGL
# through the JavaScript libraries beside them.
include_guard(GLOBAL)
set(WEBGL_DIR ${CMAKE_SOURCE_DIR}/platform/webgl)
set(WEBGL_SOURCES GlMatrix.cpp GlPipeline.cpp GlTextures.cpp GlLineWidener.cpp)
if(EMSCRIPTEN)
    list(APPEND WEBGL_SOURCES WebGlSink.cpp GlEntryPoints.cpp)
endif()
list(TRANSFORM WEBGL_SOURCES PREPEND ${WEBGL_DIR}/)
add_library(tessary_webgl_core STATIC ${WEBGL_SOURCES})
target_include_directories(tessary_webgl_core PUBLIC ${CMAKE_SOURCE_DIR})

if(EMSCRIPTEN)
    # The byte offsets by which library_webgl_sink.js reads the records of GlRecords.h from the heap
    # are written from that header, with their static_asserts, which WebGlSink.cpp includes.
    find_program(TESSARY_NODE NAMES node nodejs REQUIRED)
    set(WEBGL_LAYOUT_DIR ${CMAKE_BINARY_DIR}/webgl-layout)
    add_custom_command(OUTPUT ${WEBGL_LAYOUT_DIR}/library_webgl_layout.js ${WEBGL_LAYOUT_DIR}/WebGlLayoutCheck.h
        COMMAND ${TESSARY_NODE} ${WEBGL_DIR}/heap_layout.js ${CMAKE_SOURCE_DIR} platform/webgl/GlRecords.h
            ${WEBGL_LAYOUT_DIR}
        DEPENDS ${WEBGL_DIR}/heap_layout.js ${WEBGL_DIR}/GlRecords.h
        COMMENT "Reading the WebGL sink's heap layout from GlRecords.h"
        VERBATIM)
    target_sources(tessary_webgl_core PRIVATE ${WEBGL_LAYOUT_DIR}/WebGlLayoutCheck.h)
    target_include_directories(tessary_webgl_core PRIVATE ${WEBGL_LAYOUT_DIR})
    set(WEBGL_LIBRARIES ${WEBGL_DIR}/library_texture_copies.js ${WEBGL_LAYOUT_DIR}/library_webgl_layout.js
        ${WEBGL_DIR}/library_webgl_sink.js)
    foreach(library IN LISTS WEBGL_LIBRARIES)
        target_link_options(tessary_webgl_core INTERFACE "SHELL:--js-library ${library}")
    endforeach()
    set_property(TARGET tessary_webgl_core APPEND PROPERTY INTERFACE_LINK_DEPENDS ${WEBGL_LIBRARIES})
endif()
