# SQLite for the browser build, compiled from the amalgamation in the npm
# package that web/sqlite/package-lock.json pins (scripts/build-web.sh
# installs it). The same target name as the system's SQLite, so the archive
# library links it unchanged.
enable_language(C)
set(SQLITE_SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/web/sqlite/node_modules/better-sqlite3/deps/sqlite3)
if(NOT EXISTS ${SQLITE_SOURCE_DIR}/sqlite3.c)
  message(FATAL_ERROR "SQLite's source is missing: run scripts/build-web.sh, which installs web/sqlite")
endif()
add_library(skarnwald_sqlite3 STATIC ${SQLITE_SOURCE_DIR}/sqlite3.c)
target_include_directories(skarnwald_sqlite3 SYSTEM PUBLIC ${SQLITE_SOURCE_DIR})
# One thread, no extensions to load, no memory statistics: the module runs in
# one worker and never loads code from files.
target_compile_definitions(skarnwald_sqlite3 PRIVATE
  SQLITE_THREADSAFE=0 SQLITE_OMIT_LOAD_EXTENSION SQLITE_DEFAULT_MEMSTATUS=0 SQLITE_OMIT_DEPRECATED
  SQLITE_OMIT_SHARED_CACHE SQLITE_TEMP_STORE=2)
target_compile_options(skarnwald_sqlite3 PRIVATE -w)
add_library(SQLite::SQLite3 ALIAS skarnwald_sqlite3)
