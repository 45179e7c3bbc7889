# The text back end over FreeType and fontconfig, with the font configuration in fonts/.
find_package(PkgConfig REQUIRED)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)

file(GLOB TESSARY_FREETYPE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/freetype/*.cpp)
add_library(tessary_text_freetype STATIC ${TESSARY_FREETYPE_SOURCES})
target_link_libraries(tessary_text_freetype PUBLIC tessary_platform_gdi
    PRIVATE PkgConfig::FREETYPE PkgConfig::FONTCONFIG)
if(TESSARY_SOURCE_FONTCONFIG)
    target_compile_definitions(tessary_text_freetype PRIVATE
        TESSARY_FONTCONFIG_FILE="${CMAKE_SOURCE_DIR}/platform/freetype/fonts/tessary-fonts.conf")
endif()
