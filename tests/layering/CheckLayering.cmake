# Run by ctest as `cmake -P`: preprocesses one-line sources with the include directories and
# definitions a library's own sources get (a response file per library, written at generate
# time). Each case names a library, a header it may include and a header above it. The header
# above must fail because it is not found; the same compiler command must take the legal include
# with everything it includes in turn, and the header above must exist, so that the failure cannot
# come from a broken command or a misspelt name. Finding headers is all that layering is about, so
# the preprocessor is enough, and it takes a fraction of a compile's time.
#
# Inputs: CXX (the compiler), CXX_STANDARD, FLAGS_DIR (holds <library>.flags and cases.txt, one
# "library|legal header|header above" a line), WORK_DIR, SOURCE_DIR (the project).

cmake_minimum_required(VERSION 3.25)

# Runs the preprocessor on a source that includes `header` ("folder/Name.h" in quotes, else in
# angle brackets).
function(preprocess_one library header out_result out_errors)
  string(MAKE_C_IDENTIFIER "${library}_${header}" stem)
  set(source "${WORK_DIR}/${stem}.cpp")
  if(header MATCHES "/")
    file(WRITE "${source}" "#include \"${header}\"\n")
  else()
    file(WRITE "${source}" "#include <${header}>\n")
  endif()
  # Position-independent code as the libraries are built: Qt's headers refuse anything else.
  execute_process(
    COMMAND "${CXX}" "@${FLAGS_DIR}/${library}.flags" -std=c++${CXX_STANDARD} -fPIC -E
            -o /dev/null "${source}"
    RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_QUIET)
  set(${out_result} "${result}" PARENT_SCOPE)
  set(${out_errors} "${errors}" PARENT_SCOPE)
endfunction()

set(failures "")
set(checked "")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(STRINGS "${FLAGS_DIR}/cases.txt" cases)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 library)
  list(GET fields 1 legal)
  list(GET fields 2 above)

  # Each control is run once however many cases share it.
  if(NOT "${library}|${legal}" IN_LIST checked)
    list(APPEND checked "${library}|${legal}")
    preprocess_one(${library} "${legal}" result errors)
    if(NOT result EQUAL 0)
      string(APPEND failures "${library}: the legal include of ${legal} fails:\n${errors}\n")
    endif()
  endif()

  # The header above exists: a project header in its folder, a Qt widget header where the
  # platform's widget part finds it.
  if(above MATCHES "/")
    if(NOT EXISTS "${SOURCE_DIR}/src/${above}")
      string(APPEND failures "${above} is not a header of the project\n")
    endif()
  elseif(NOT "mv_platformui|${above}" IN_LIST checked)
    list(APPEND checked "mv_platformui|${above}")
    preprocess_one(mv_platformui "${above}" result errors)
    if(NOT result EQUAL 0)
      string(APPEND failures "mv_platformui: ${above} is not found:\n${errors}\n")
    endif()
  endif()

  preprocess_one(${library} "${above}" result errors)
  if(result EQUAL 0)
    string(APPEND failures "${library}: ${above} is found, but the library must not see it\n")
  else()
    string(FIND "${errors}" "${above}: No such file or directory" found)
    if(found EQUAL -1)
      string(APPEND failures "${library}: ${above} fails for another reason than not being found:\n${errors}\n")
    endif()
  endif()
endforeach()

# A relative include ("../app/CalendarMain.h") would reach past the include roots.
file(GLOB_RECURSE sources "${SOURCE_DIR}/src/*.h" "${SOURCE_DIR}/src/*.cpp")
foreach(source IN LISTS sources)
  file(STRINGS "${source}" relative REGEX "^[ \t]*#[ \t]*include[ \t]*\"\\.\\.")
  if(relative)
    string(APPEND failures "${source}: ${relative}\n")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
