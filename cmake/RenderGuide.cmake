# Renders one Markdown page of the guide to a stand-alone HTML page (run with cmake -P):
#   -DCMARK=cmark-gfm -DINPUT=page.md -DOUTPUT=page.html -DTEMPLATE=page.html.in
# Links between the pages point at their .md sources so that they also work where the Markdown
# is read as it is; in the rendered guide they point at the rendered pages.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${CMARK} -e table -e autolink ${INPUT}
  OUTPUT_VARIABLE body RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${CMARK} failed on ${INPUT}")
endif()
string(REGEX REPLACE "href=\"([^\":#]*)\\.md" "href=\"\\1.html" body "${body}")
string(REGEX MATCH "<h1>([^<]*)</h1>" heading "${body}")
set(title "${CMAKE_MATCH_1}")
# Plain replacement, since the pages hold texts (script lambdas, "@") that configure_file would read.
file(READ ${TEMPLATE} page)
string(REPLACE "@title@" "${title}" page "${page}")
string(REPLACE "@body@" "${body}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
