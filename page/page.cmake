# The page around the program in the browser: the C++ it calls by name (page/PageState.h,
# page/ViewCommands.h, page/AnimationCommands.h, page/TourCommands.h, page/FigureCommands.h), and, in the browser build,
# the page itself. The desktop build compiles the C++ too, so that its tests run without a browser.
# The page saves the same vector files as the desktop, with the same figure and writers.
set(PAGE_DIR ${CMAKE_SOURCE_DIR}/page)
tessary_folder_library(page)
target_link_libraries(tessary_page PUBLIC tessary_app tessary_hypercube tessary_figure tessary_export tessary_model)

if(EMSCRIPTEN)
    # The page reads the program's state, asks what building a dimension asks first, sets the
    # dimension and the faces (page/PageState.h), takes and applies views (page/ViewCommands.h),
    # animates from one view to another (page/AnimationCommands.h), plays tours (page/TourCommands.h)
    # and draws the view as a vector file (page/FigureCommands.h) or a 3-D model
    # (page/ModelCommands.h), by name, with strings and files in the program's memory; the loader
    # starts main.
    target_link_options(tessary_page INTERFACE
        -sEXPORTED_FUNCTIONS=[_main,_malloc,_free,_tessary_page_state,_tessary_dimension_question,_tessary_apply_dimension,_tessary_show_faces,_tessary_capture_view,_tessary_apply_view,_tessary_animation_start,_tessary_animation_step,_tessary_peek_view,_tessary_tour_start,_tessary_tour_seconds,_tessary_tour_step,_tessary_figure,_tessary_figure_file,_tessary_figure_size,_tessary_model,_tessary_model_file,_tessary_model_size]
        -sEXPORTED_RUNTIME_METHODS=[UTF8ToString,stringToUTF8,lengthBytesUTF8,HEAPU8])

    set(WEB_DIR ${CMAKE_SOURCE_DIR}/platform/web)
    set(WEB_TOOLS ${CMAKE_SOURCE_DIR}/tools/web)
    # The page beside the program: index.html, its script, the web-app manifest, the element for
    # pages that embed it, the service worker, the icons, and the font subsets with their licences,
    # cut from the Debian fonts at build time.
    # Every file a static host serves is named here and nowhere else: the service worker is given the
    # list, and page-files.txt beside the page gives it to `make web`, make-release.sh and the benchmark.
    set(WEB_PAGE_FILES index.html manifest.webmanifest tessary-embed.js)
    set(WEB_FONT_FILES uming.woff2 wqy-microhei.woff2 cwyen.woff2 uming-LICENSE.txt wqy-microhei-LICENSE.txt
        cwyen-LICENSE.txt)
    set(WEB_ICON_SIZES 32 192 512)
    set(WEB_SERVED ${WEB_PAGE_FILES} service_worker.js tessary.js tessary.wasm)
    foreach(size ${WEB_ICON_SIZES})
        list(APPEND WEB_SERVED icons/tessary-${size}.png)
    endforeach()
    foreach(font ${WEB_FONT_FILES})
        list(APPEND WEB_SERVED fonts/${font})
    endforeach()
    list(JOIN WEB_SERVED "\n" WEB_SERVED_LINES)
    file(WRITE ${CMAKE_BINARY_DIR}/page-files.txt "${WEB_SERVED_LINES}\n")

    set(WEB_FONTS ${WEB_FONT_FILES})
    list(TRANSFORM WEB_FONTS PREPEND ${CMAKE_BINARY_DIR}/fonts/)
    # The program's texts, which the subsets must hold, are in these folders (subset-fonts.py reads the same).
    set(WEB_FONT_TEXT_SOURCES)
    foreach(folder app gui hypercube page)
        file(GLOB_RECURSE folder_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp
            ${CMAKE_SOURCE_DIR}/${folder}/*.h)
        list(APPEND WEB_FONT_TEXT_SOURCES ${folder_sources})
    endforeach()
    # The page's modules: tessary_page.js and the page_*.js it imports.
    file(GLOB WEB_PAGE_MODULES CONFIGURE_DEPENDS ${PAGE_DIR}/tessary_page.js ${PAGE_DIR}/page_*.js)
    add_custom_command(OUTPUT ${WEB_FONTS}
        COMMAND ${WEB_TOOLS}/subset-fonts.py ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/fonts
        DEPENDS ${WEB_TOOLS}/subset-fonts.py ${WEB_FONT_TEXT_SOURCES} ${PAGE_DIR}/index.html
            ${WEB_PAGE_MODULES}
        COMMENT "Cutting the font subsets the page ships")
    # index.html carries the page's one script, built from the page's modules and the input modules
    # they import, among them two written at build time: host.js, the record layout and numbers of
    # WebHost.h, and refusal_kinds.js, the kinds of refusal of page/Refusal.h.
    find_program(TESSARY_NODE NAMES node nodejs REQUIRED)
    file(GLOB WEB_INPUT_MODULES CONFIGURE_DEPENDS ${WEB_DIR}/input/*.js)
    set(WEB_HOST_MODULE ${CMAKE_BINARY_DIR}/page/host.js)
    add_custom_command(OUTPUT ${WEB_HOST_MODULE}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/page
        COMMAND ${TESSARY_NODE} ${WEB_TOOLS}/host_module.js ${WEB_DIR}/WebHost.h ${WEB_HOST_MODULE}
        DEPENDS ${WEB_TOOLS}/host_module.js ${WEB_DIR}/WebHost.h
        COMMENT "Writing the page's table of WebHost.h")
    set(WEB_REFUSAL_MODULE ${CMAKE_BINARY_DIR}/page/refusal_kinds.js)
    add_custom_command(OUTPUT ${WEB_REFUSAL_MODULE}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/page
        COMMAND ${TESSARY_NODE} ${WEB_TOOLS}/refusal_module.js ${PAGE_DIR}/Refusal.h ${WEB_REFUSAL_MODULE}
        DEPENDS ${WEB_TOOLS}/refusal_module.js ${PAGE_DIR}/Refusal.h
        COMMENT "Writing the page's kinds of refusal of Refusal.h")
    # The window's size, from the lens (hypercube/WindowLens.h): window_size.js for the scripts, and
    # the canvas of index.html, which build_page.js fills in.
    set(WEB_LENS ${CMAKE_SOURCE_DIR}/hypercube/WindowLens.h)
    set(WEB_WINDOW_MODULE ${CMAKE_BINARY_DIR}/page/window_size.js)
    add_custom_command(OUTPUT ${WEB_WINDOW_MODULE}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/page
        COMMAND ${TESSARY_NODE} ${WEB_TOOLS}/window_module.js ${WEB_LENS} ${WEB_WINDOW_MODULE}
        DEPENDS ${WEB_TOOLS}/window_module.js ${WEB_LENS}
        COMMENT "Writing the page's window size of WindowLens.h")
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/index.html
        COMMAND ${TESSARY_NODE} ${WEB_TOOLS}/build_page.js ${PAGE_DIR}/index.html ${PAGE_DIR}/tessary_page.js
            ${CMAKE_BINARY_DIR}/index.html ${WEB_LENS} ${WEB_DIR}/input/host.js=${WEB_HOST_MODULE}
            ${PAGE_DIR}/refusal_kinds.js=${WEB_REFUSAL_MODULE} ${PAGE_DIR}/window_size.js=${WEB_WINDOW_MODULE}
        DEPENDS ${WEB_TOOLS}/build_page.js ${WEB_TOOLS}/window_module.js ${WEB_HOST_MODULE} ${WEB_REFUSAL_MODULE}
            ${WEB_WINDOW_MODULE} ${WEB_LENS} ${PAGE_DIR}/index.html ${WEB_INPUT_MODULES} ${WEB_PAGE_MODULES}
        COMMENT "Building the page")
    configure_file(${PAGE_DIR}/manifest.webmanifest ${CMAKE_BINARY_DIR}/manifest.webmanifest COPYONLY)
    # The element for pages that embed this one is a module of its own, which such pages import.
    configure_file(${PAGE_DIR}/tessary-embed.js ${CMAKE_BINARY_DIR}/tessary-embed.js COPYONLY)
    # The service worker keeps every file but itself, and the page's address, in a cache named after
    # the version and a digest of those files: a build that changes any of them is a new worker, whose
    # install keeps the new files, so that its fetch handler never writes to the cache while the page
    # starts. It is written once the program and the page are built.
    set(WEB_CACHED ${WEB_SERVED})
    list(REMOVE_ITEM WEB_CACHED service_worker.js)
    set(WEB_CACHED_PATHS ${WEB_CACHED})
    list(TRANSFORM WEB_CACHED_PATHS PREPEND ${CMAKE_BINARY_DIR}/)
    list(JOIN WEB_CACHED "|" WEB_CACHED_ARGUMENT)

    # The page's icons are the desktop icon at the sizes a browser asks for, drawn by tessary-icon of a
    # desktop build (this build makes WebAssembly, which cannot run it): `make web` draws them there
    # first and names the folder here.
    set(TESSARY_WEB_ICONS "" CACHE PATH "Folder with tessary-32.png, tessary-192.png and tessary-512.png")
    if(NOT TESSARY_WEB_ICONS)
        message(FATAL_ERROR "TESSARY_WEB_ICONS must name the folder of the page's icons (make web sets it)")
    endif()
    set(WEB_ICONS)
    foreach(size ${WEB_ICON_SIZES})
        add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/icons/tessary-${size}.png
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons
            COMMAND ${CMAKE_COMMAND} -E copy ${TESSARY_WEB_ICONS}/tessary-${size}.png ${CMAKE_BINARY_DIR}/icons/
            DEPENDS ${TESSARY_WEB_ICONS}/tessary-${size}.png)
        list(APPEND WEB_ICONS ${CMAKE_BINARY_DIR}/icons/tessary-${size}.png)
    endforeach()
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/service_worker.js
        COMMAND ${CMAKE_COMMAND} -DTEMPLATE=${PAGE_DIR}/service_worker.js.in -DOUTPUT=${CMAKE_BINARY_DIR}/service_worker.js
            -DVERSION=${PROJECT_VERSION} -DROOT=${CMAKE_BINARY_DIR} "-DFILES=${WEB_CACHED_ARGUMENT}"
            -P ${PAGE_DIR}/service_worker.cmake
        DEPENDS ${PAGE_DIR}/service_worker.js.in ${PAGE_DIR}/service_worker.cmake ${WEB_CACHED_PATHS}
        VERBATIM)
    add_custom_target(tessary_web_page ALL DEPENDS ${WEB_FONTS} ${CMAKE_BINARY_DIR}/index.html ${WEB_ICONS}
        ${CMAKE_BINARY_DIR}/service_worker.js)
    # The worker's digest reads the program's files.
    add_dependencies(tessary_web_page tessary)

endif()
