# The desktop-GL pipeline of the browser build: plain C++, so the native build compiles it too and
# tests it without a browser.
if(NOT TARGET tessary_webgl_core)
    set(WEB_GL_DIR ${CMAKE_SOURCE_DIR}/platform/web/gl)
    add_library(tessary_webgl_core STATIC ${WEB_GL_DIR}/GlMatrix.cpp ${WEB_GL_DIR}/GlPipeline.cpp
        ${WEB_GL_DIR}/GlTextures.cpp ${WEB_GL_DIR}/GlLineWidener.cpp)
    target_include_directories(tessary_webgl_core PUBLIC ${CMAKE_SOURCE_DIR})
endif()
