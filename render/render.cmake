# Drawing a view without showing a window: a picture, a figure or a turning clip of the running program,
# written through export/.
tessary_folder_library(render)
target_link_libraries(tessary_render PUBLIC tessary_app tessary_hypercube tessary_export tessary_figure tessary_model)
