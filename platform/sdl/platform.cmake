# The SDL2 platform: the core and GDI over SDL2 for windows, events, GL contexts and dialogs, and
# over FreeType and fontconfig for text.
find_package(SDL2 REQUIRED)
include(${CMAKE_SOURCE_DIR}/platform/core/core.cmake)
include(${CMAKE_SOURCE_DIR}/platform/freetype/text.cmake)

file(GLOB TESSARY_SDL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/sdl/*.cpp)
add_library(tessary_backend_sdl STATIC ${TESSARY_SDL_SOURCES})
target_link_libraries(tessary_backend_sdl PUBLIC tessary_platform_core PRIVATE SDL2::SDL2 OpenGL::GL)

tessary_join_platform(tessary_backend_sdl tessary_text_freetype)

# The SDL back end's tests push SDL events and look at SDL windows.
set(TESSARY_PLATFORM_TEST_LIBS SDL2::SDL2)
set(TESSARY_PLATFORM_TEST_DIRS core gdi freetype sdl)
