# Drawing a view as flat shapes for the vector formats (figure/ViewFigure.h): the window's picture
# worked out without OpenGL, from the model, the camera and the label rasters. Every build has it,
# the browser's too, since the page saves the same figures.
set(FIGURE_DIR ${CMAKE_SOURCE_DIR}/figure)
add_library(tessary_figure STATIC ${FIGURE_DIR}/ContourTracer.cpp ${FIGURE_DIR}/EdgeOrder.cpp ${FIGURE_DIR}/LabelOutlines.cpp
    ${FIGURE_DIR}/FigureProjection.cpp ${FIGURE_DIR}/FogRamp.cpp ${FIGURE_DIR}/ViewFigure.cpp)
target_link_libraries(tessary_figure PUBLIC tessary_program tessary_figure_files)
