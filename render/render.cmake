# Drawing a view without showing a window: a picture, a figure or a turning clip of the running program,
# written through export/.
set(RENDER_DIR ${CMAKE_SOURCE_DIR}/render)
add_library(tessary_render STATIC ${RENDER_DIR}/RenderCommand.cpp ${RENDER_DIR}/PictureDrawer.cpp
    ${RENDER_DIR}/TurnRecorder.cpp ${RENDER_DIR}/FigureCommand.cpp)
target_link_libraries(tessary_render PUBLIC tessary_program tessary_export tessary_figure)
