# The view as a 3-D object (model/ModelFile.h): its shadow folded, meshed as closed struts and
# balls, placed and written as glTF, STL, 3MF or OBJ by the program's own code on every build, the
# browser's too, so that the page's models are the desktop's bytes. Each writer has its own small
# helpers in its anonymous namespace, which the sanitizer build's unity sources would join: they are
# compiled alone.
tessary_folder_library(model)
file(GLOB MODEL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/model/*.cpp)
set_source_files_properties(${MODEL_SOURCES} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
target_link_libraries(tessary_model PUBLIC tessary_hypercube tessary_export)
target_compile_definitions(tessary_model PRIVATE TESSARY_VERSION="${PROJECT_VERSION}")
