# Writes OUTPUT from the page's TEMPLATE with the style, the worker (the ENGINE's generated script
# followed by WORKER), the examples and the page's scripts inlined where the template names them.
# PAGE_SCRIPTS is a comma-separated list of the scripts in the order they run: the shared helpers,
# one script per section, and the script that wires them together. The template wraps them in one
# function, so that nothing becomes a global; within it the first script's names are shared, and
# every other script runs in a scope of its own. A section script <name>.js hands the page its one
# function <name>_section, so that sections reach each other only through the page's object.
# Run with cmake -P; see CMakeLists.txt for the variables.

# Inlined text must not end its <script> or <style> element early.
function(read_inlined path variable)
  file(READ ${path} text)
  string(TOLOWER "${text}" lower)
  foreach(end "</script" "</style")
    string(FIND "${lower}" "${end}" at)
    if(NOT at EQUAL -1)
      message(FATAL_ERROR "${path} holds ${end}, which would end its element in the page")
    endif()
  endforeach()
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()

read_inlined(${STYLE} STYLE_CSS)
read_inlined(${ENGINE} engine)
read_inlined(${WORKER} worker)
set(WORKER_JS "${engine}\n${worker}")
string(REPLACE "," ";" scripts "${PAGE_SCRIPTS}")
list(POP_FRONT scripts shared)
list(POP_BACK scripts wiring)
read_inlined(${shared} text)
get_filename_component(name ${shared} NAME)
set(PAGE_JS "// ---- web/${name}\n${text}\n")
foreach(script ${scripts})
  read_inlined(${script} text)
  get_filename_component(name ${script} NAME)
  get_filename_component(stem ${script} NAME_WE)
  string(APPEND PAGE_JS "// ---- web/${name}\nconst ${stem}_section = (() => {\n${text}\n"
         "return ${stem}_section;\n})();\n")
endforeach()
read_inlined(${wiring} text)
get_filename_component(name ${wiring} NAME)
string(APPEND PAGE_JS "// ---- web/${name}\n(() => {\n${text}\n})();\n")

# One <script type="text/plain"> per example, in name order, which the page offers as buttons.
file(GLOB examples ${EXAMPLES}/*.txt)
list(SORT examples)
set(EXAMPLES_HTML "")
foreach(example ${examples})
  read_inlined(${example} text)
  get_filename_component(name ${example} NAME)
  string(APPEND EXAMPLES_HTML "<script type=\"text/plain\" data-example=\"${name}\">${text}</script>\n")
endforeach()

configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
