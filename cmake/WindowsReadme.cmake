# README.txt of the Windows packages: what the program is, how to start it, and the controls, taken
# from the Controls table of README.md so that both always list the same. UTF-8 with a byte order
# mark, which Notepad needs on older Windows to show the Chinese button names, and CRLF line ends.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/README.md)
file(STRINGS ${CMAKE_SOURCE_DIR}/README.md readme_lines ENCODING UTF-8)
set(controls "")
set(in_controls FALSE)
foreach(line IN LISTS readme_lines)
    if(line MATCHES "^## ")
        set(in_controls FALSE)
        if(line STREQUAL "## Controls")
            set(in_controls TRUE)
        endif()
    elseif(in_controls AND line MATCHES "^\\| *([^|]+[^| ]) *\\| *([^|]+[^| ]) *\\|$")
        set(input "${CMAKE_MATCH_1}")
        set(effect "${CMAKE_MATCH_2}")
        # The table's header and its rule are not controls.
        if(NOT input STREQUAL "Input" AND NOT input MATCHES "^-+$")
            string(REPLACE "`" "" input "${input}")
            string(REPLACE "`" "" effect "${effect}")
            string(APPEND controls "  ${input}\n      ${effect}\n")
        endif()
    endif()
endforeach()
if(controls STREQUAL "")
    message(FATAL_ERROR "README.md has no Controls table for README.txt")
endif()
string(ASCII 239 187 191 byte_order_mark)
file(CONFIGURE OUTPUT ${TESSARY_WINDOWS_TEXT}/README.txt NEWLINE_STYLE CRLF @ONLY CONTENT
"${byte_order_mark}Tessary @PROJECT_VERSION@

An interactive viewer of n-dimensional hypercubes. Type a dimension from 3 to 8, press the button
and the n-cube appears, drawn with OpenGL as a white wireframe or as translucent numbered squares.

Start tessary.exe. It needs nothing beside Windows itself: the portable folder can live anywhere,
and the installer adds it to the Start menu and to the list of installed programs.

Controls

${controls}
The digit keys are read as physical keys, so the row of digits above the letters works on every
keyboard layout; the keypad's digits select nothing.

Licence: MIT, see LICENSE.txt.
")
