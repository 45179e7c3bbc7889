# The browser platform, built with emscripten (make web): the core and GDI over the page, whose canvas
# is the window, whose DOM events are the input and whose Canvas 2D draws the text, and the
# program's OpenGL 1.1 over WebGL. Waits give the thread back to the browser through Asyncify.
include(${CMAKE_SOURCE_DIR}/platform/core/core.cmake)
include(${CMAKE_SOURCE_DIR}/platform/webgl/webgl.cmake)
# The program's OpenGL and GLU are platform/webgl's pipeline, linked with this back end below.
add_library(OpenGL::GL INTERFACE IMPORTED)

set(WEB_DIR ${CMAKE_SOURCE_DIR}/platform/web)
add_library(tessary_backend_web STATIC ${WEB_DIR}/WebBackend.cpp ${WEB_DIR}/WebEventFunnel.cpp)
target_link_libraries(tessary_backend_web PUBLIC tessary_platform_core tessary_webgl_core)
# GLOBAL_BASE: Win32 takes a "name" pointer below 0x10000 for an atom, which Windows can do because
# nothing is ever mapped there; wasm puts static data at 1024 unless told otherwise.
target_link_options(tessary_backend_web INTERFACE
    "SHELL:--js-library ${WEB_DIR}/library_web_platform.js"
    -sASYNCIFY -sASYNCIFY_IMPORTS=[tessary_web_next_frame] -sASYNCIFY_STACK_SIZE=65536
    -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web -sTOTAL_STACK=1048576 -sGLOBAL_BASE=65536)
set_property(TARGET tessary_backend_web APPEND PROPERTY INTERFACE_LINK_DEPENDS
    ${WEB_DIR}/library_web_platform.js)

# The text back end draws with the page's Canvas 2D, through its JavaScript library: a folder of its
# own, as FreeType's is on the desktop.
set(WEB_TEXT_DIR ${CMAKE_SOURCE_DIR}/platform/webtext)
file(GLOB TESSARY_WEB_TEXT_SOURCES CONFIGURE_DEPENDS ${WEB_TEXT_DIR}/*.cpp)
add_library(tessary_text_web STATIC ${TESSARY_WEB_TEXT_SOURCES})
target_link_libraries(tessary_text_web PUBLIC tessary_platform_gdi)
target_link_options(tessary_text_web INTERFACE "SHELL:--js-library ${WEB_TEXT_DIR}/library_web_text.js")
set_property(TARGET tessary_text_web APPEND PROPERTY INTERFACE_LINK_DEPENDS ${WEB_TEXT_DIR}/library_web_text.js)

tessary_join_platform(tessary_backend_web tessary_text_web)

set(TESSARY_PLATFORM_TEST_LIBS "")
set(TESSARY_PLATFORM_TEST_DIRS "")
