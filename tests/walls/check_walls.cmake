# cmake -DSOURCE_DIR=... -DBUILD_DIR=... -DSCRATCH=... -P check_walls.cmake
#
# Copies the layer folders to SCRATCH, puts one forbidden include at the top
# of a real source file, and compiles that file with the build's own command
# (its include paths pointed at the copy). Every forbidden spelling must
# fail on the missing header; the untouched copy must compile, or the check
# would prove nothing. Then the same for the controls' names: a misspelt
# control, or one left out of the controls table, must not compile either.
cmake_minimum_required(VERSION 3.25)

set(layers game platform widgets setup print extras app)

file(READ ${BUILD_DIR}/compile_commands.json commands)
string(JSON count LENGTH "${commands}")
math(EXPR last "${count} - 1")

# The arguments that compile SOURCE_DIR/<file> syntax-only from the copy.
function(command_for file out_args out_dir)
  foreach(i RANGE ${last})
    string(JSON source GET "${commands}" ${i} file)
    if(source STREQUAL "${SOURCE_DIR}/${file}")
      string(JSON line GET "${commands}" ${i} command)
      string(JSON dir GET "${commands}" ${i} directory)
      separate_arguments(raw UNIX_COMMAND "${line}")
      set(args)
      set(skip 0)
      foreach(arg IN LISTS raw)
        if(skip)
          set(skip 0)
        elseif(arg MATCHES "^(-o|-MT|-MF)$")
          # Output and dependency files belong to the real build.
          set(skip 1)
        elseif(arg STREQUAL "-MD" OR arg MATCHES "ccache$")
        else()
          string(REPLACE "${SOURCE_DIR}/" "${SCRATCH}/" arg "${arg}")
          list(APPEND args "${arg}")
        endif()
      endforeach()
      list(APPEND args -fsyntax-only)
      set(${out_args} "${args}" PARENT_SCOPE)
      set(${out_dir} "${dir}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "walls: no compile command for ${file} in ${BUILD_DIR}")
endfunction()

# Compiles the copy of `file` holding `text` with `args` in `dir`; counts a
# failure in the caller's `failures` unless the compiler refuses it with an
# error that matches `said`. `what` names the slip in the messages.
function(expect_refused file text what said args dir)
  file(WRITE ${SCRATCH}/${file} "${text}")
  execute_process(COMMAND ${args} WORKING_DIRECTORY ${dir}
                  RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
  if(rc EQUAL 0)
    message(SEND_ERROR "walls: ${file} compiles with ${what}")
    math(EXPR failures "${failures} + 1")
  elseif(NOT err MATCHES "${said}")
    message(SEND_ERROR "walls: ${file} with ${what} fails for another reason:\n${err}")
    math(EXPR failures "${failures} + 1")
  else()
    message(STATUS "refused: ${file} with ${what}")
  endif()
  set(failures ${failures} PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${SCRATCH})
foreach(layer IN LISTS layers)
  file(COPY ${SOURCE_DIR}/${layer} DESTINATION ${SCRATCH})
endforeach()

set(failures 0)
# file | header that must not be reachable | the spellings of it
foreach(case
    "game/src/ladder.cpp|units.h|\"widgets/units.h\";<widgets/units.h>;\"../widgets/units.h\""
    "setup/src/prize_list.cpp|amount.h|\"print/amount.h\";<print/amount.h>;\"../print/amount.h\"")
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 file)
  list(GET parts 1 header)
  list(SUBLIST parts 2 -1 spellings)
  command_for(${file} args dir)
  file(READ ${SOURCE_DIR}/${file} original)

  execute_process(COMMAND ${args} WORKING_DIRECTORY ${dir}
                  RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
  if(NOT rc EQUAL 0)
    message(SEND_ERROR "walls: the untouched copy of ${file} does not compile:\n${err}")
    math(EXPR failures "${failures} + 1")
    continue()
  endif()

  foreach(spelling IN LISTS spellings)
    expect_refused(${file} "#include ${spelling}\n${original}" "#include ${spelling}" "${header}"
                   "${args}" "${dir}")
  endforeach()
  file(WRITE ${SCRATCH}/${file} "${original}")
endforeach()

# file | text in it | what a slip makes of it | what the compiler says
foreach(case
    "app/src/controls.cpp|{CONTROL(picOk),|{CONTROL(picOK),|picOK"
    "app/src/controls.cpp|{CONTROL(VelGif1), .place = {3090, 180, 5115, 735}},||missing from the table"
    "app/src/main_window.cpp|ui_.picOk,|ui_.picOK,|picOK"
    "app/src/shortcuts.cpp|{&Controls::picOk,|{&Controls::picOK,|picOK")
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 file)
  list(GET parts 1 right)
  list(GET parts 2 wrong)
  list(GET parts 3 said)
  command_for(${file} args dir)
  file(READ ${SOURCE_DIR}/${file} original)
  string(FIND "${original}" "${right}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "walls: ${file} no longer holds ${right}")
    math(EXPR failures "${failures} + 1")
    continue()
  endif()
  string(REPLACE "${right}" "${wrong}" slipped "${original}")
  expect_refused(${file} "${slipped}" "${right} made '${wrong}'" "${said}" "${args}" "${dir}")
  file(WRITE ${SCRATCH}/${file} "${original}")
endforeach()

file(REMOVE_RECURSE ${SCRATCH})
if(failures)
  message(FATAL_ERROR "walls: ${failures} check(s) failed")
endif()
