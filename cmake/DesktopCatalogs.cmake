# The desktop program's Qt catalogs, i18n/desktop/skarnwald_<language>.ts, run
# with `cmake -P`:
#
#   -DMODE=update  brings every catalog up to date with the sources (lupdate):
#                  new texts come in unfinished, texts no longer used go;
#   -DMODE=check   does the same to copies in WORK_DIR and fails when a catalog
#                  lacks a text, holds one no longer used or one without a
#                  finished translation, or when lupdate warns (a text it
#                  cannot read, so no catalog would hold it).
#
# LUPDATE names the tool and SOURCE_DIR the project. English is the source
# language: its catalog holds only the texts with plural forms. Catalogs keep
# no source locations, so editing the code leaves them alone unless a text
# changes.
cmake_minimum_required(VERSION 3.22)
foreach(variable MODE LUPDATE SOURCE_DIR)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "DesktopCatalogs.cmake needs -D${variable}=…")
  endif()
endforeach()

file(GLOB catalogs ${SOURCE_DIR}/i18n/desktop/*.ts)
if(NOT catalogs)
  message(FATAL_ERROR "No catalogs in ${SOURCE_DIR}/i18n/desktop")
endif()
set(sources ${SOURCE_DIR}/src/app ${SOURCE_DIR}/src/controls)

# Runs lupdate on `catalog`; `keep_unused` keeps texts no longer used, marked
# as such, instead of dropping them.
function(run_lupdate catalog keep_unused)
  set(options -extensions cpp,h,ui -I ${SOURCE_DIR}/src -locations none -source-language en -silent)
  if(catalog MATCHES "_en\\.ts$")
    list(APPEND options -pluralonly)
  endif()
  if(NOT keep_unused)
    list(APPEND options -no-obsolete)
  endif()
  execute_process(COMMAND ${LUPDATE} ${sources} ${options} -ts ${catalog}
                  RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(failed OR output MATCHES "[Ww]arning|[Ee]rror")
    message(FATAL_ERROR "lupdate on ${catalog}:\n${output}")
  endif()
endfunction()

# The source texts of `catalog` that are unfinished, empty or no longer used,
# one per line.
function(faulty_messages catalog result)
  file(READ ${catalog} rest)
  set(faults "")
  while(TRUE)
    string(FIND "${rest}" "</message>" end)
    if(end EQUAL -1)
      break()
    endif()
    string(SUBSTRING "${rest}" 0 ${end} message)
    math(EXPR next "${end} + 10")
    string(SUBSTRING "${rest}" ${next} -1 rest)
    if(message MATCHES "type=\"(unfinished|vanished|obsolete)\""
       OR message MATCHES "<translation></translation>|<numerusform></numerusform>")
      string(REGEX MATCH "<source>([^<]*)</source>" source "${message}")
      string(APPEND faults "  ${CMAKE_MATCH_1}\n")
    endif()
  endwhile()
  set(${result} "${faults}" PARENT_SCOPE)
endfunction()

if(MODE STREQUAL "update")
  foreach(catalog IN LISTS catalogs)
    run_lupdate(${catalog} FALSE)
  endforeach()
elseif(MODE STREQUAL "check")
  file(REMOVE_RECURSE ${WORK_DIR})
  file(MAKE_DIRECTORY ${WORK_DIR})
  set(report "")
  foreach(catalog IN LISTS catalogs)
    get_filename_component(name ${catalog} NAME)
    file(COPY ${catalog} DESTINATION ${WORK_DIR})
    run_lupdate(${WORK_DIR}/${name} TRUE)
    faulty_messages(${WORK_DIR}/${name} faults)
    if(faults)
      string(APPEND report "${name}: texts new, unfinished or no longer used:\n${faults}")
    endif()
  endforeach()
  if(report)
    message(FATAL_ERROR "${report}Bring the catalogs up to date with `cmake --build <build> "
                        "--target update_desktop_translations` and translate what is unfinished.")
  endif()
else()
  message(FATAL_ERROR "MODE is update or check, not ${MODE}")
endif()
