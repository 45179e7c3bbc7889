# Windows itself: platform/Win32.h is <windows.h>, and the program calls user32, GDI, WGL, opengl32
# and glu32 directly. Nothing under platform/ is compiled.
add_library(tessary_platform INTERFACE)
target_include_directories(tessary_platform INTERFACE ${CMAKE_SOURCE_DIR})
target_link_libraries(tessary_platform INTERFACE OpenGL::GL ${GLU_LIBRARY} gdi32 user32)
