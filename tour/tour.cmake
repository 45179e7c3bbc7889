# Tours: a path through turns, orbits, views and holds, read from text (TourReader) and timed against
# a start view and a frame rate (Tour). The command line times one for --tour and --turn, render/
# records it into a clip, and the page plays it; all three go through this one library.
tessary_folder_library(tour)
target_link_libraries(tessary_tour PUBLIC tessary_hypercube)
