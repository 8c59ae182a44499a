# Runs a generator into a file of the build tree and compares the result with the tracked file it
# makes, so that a generator changed without its output committed (or the reverse) fails.
#   cmake -DPYTHON=python3 -DGENERATOR=script.py -DTRACKED=file -DOUTPUT=file -P CheckGenerated.cmake
get_filename_component(folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
execute_process(COMMAND ${PYTHON} ${GENERATOR} ${OUTPUT} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${GENERATOR} failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${TRACKED} RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${TRACKED} is not what ${GENERATOR} makes: run the generator and commit "
                      "what it writes")
endif()
