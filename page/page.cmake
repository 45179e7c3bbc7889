# The C++ that the browser's page calls by name (page/PageState.h, page/ViewCommands.h). The desktop
# build compiles it too, so that its tests run without a browser.
set(PAGE_DIR ${CMAKE_SOURCE_DIR}/page)
add_library(tessary_page STATIC ${PAGE_DIR}/PageState.cpp ${PAGE_DIR}/ViewCommands.cpp)
target_link_libraries(tessary_page PUBLIC tessary_program)
