# Drawing a view as flat shapes for the vector formats (figure/ViewFigure.h): the window's picture
# worked out without OpenGL, from the model, the camera and the label rasters. Every build has it,
# the browser's too, since the page saves the same figures.
tessary_folder_library(figure)
target_link_libraries(tessary_figure PUBLIC tessary_hypercube tessary_export)
