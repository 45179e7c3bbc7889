# The Win32 core and the GDI layer, which every back end but Windows' own shares. Neither target
# links SDL, FreeType or fontconfig, so their headers cannot be found from here; the rules of what
# the rest of the tree may include, the back ends' seams among them, are cmake/IncludeRules.cmake's.

file(GLOB TESSARY_CORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/core/*.cpp)
add_library(tessary_platform_core STATIC ${TESSARY_CORE_SOURCES})
target_include_directories(tessary_platform_core PUBLIC ${CMAKE_SOURCE_DIR})

file(GLOB TESSARY_GDI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/gdi/*.cpp)
add_library(tessary_platform_gdi STATIC ${TESSARY_GDI_SOURCES})
target_link_libraries(tessary_platform_gdi PUBLIC tessary_platform_core)

# tessary_platform, what the program links: the core and GDI over one windowing back end (which
# implements platform/core/Backend.h) and one text back end (platform/gdi/TextBackend.h).
function(tessary_join_platform backend text_backend)
    add_library(tessary_platform STATIC ${CMAKE_SOURCE_DIR}/platform/LiveObjects.cpp
        ${CMAKE_SOURCE_DIR}/platform/PlatformShutdown.cpp)
    target_link_libraries(tessary_platform PUBLIC tessary_platform_gdi tessary_platform_core OpenGL::GL
        ${GLU_LIBRARY})
    # The core calls the windowing back end, which posts into the core; GDI calls the text back end,
    # which draws into GDI's bitmaps. Declaring both cycles lets CMake list these static libraries
    # as often as the linker needs. A link dependency only: the back ends link their libraries
    # privately, so no third-party include path reaches the core, GDI or anything above them.
    target_link_libraries(tessary_platform_core INTERFACE ${backend})
    target_link_libraries(tessary_platform_gdi INTERFACE ${text_backend})
endfunction()
