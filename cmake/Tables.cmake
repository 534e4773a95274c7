# The manual tables: the CSV files under data/tables are turned by the project's
# own tool verosa-tablegen into the two SQLite table files beside the
# executables. A changed CSV (or a changed tool) rebuilds its table file.

# Which table lives in which table file (by table number = CSV file stem).
set(VEROSA_QORA_TABLES
  4-2 4-3 4-5                 # basic freeway segments
  6-6 6-7a 6-7b 6-8           # multilane highways
  3-2 3-5 3-7 3-8)            # two-lane roads
set(VEROSA_FACTOR_TABLES
  2-4-5 2-4-8a 2-4-8b 2-4-9   # urban arterials
  2-3-9 2-3-13 2-3-18)        # signalized intersections

add_executable(verosa-tablegen tools/tablegen.cpp)
target_link_libraries(verosa-tablegen PRIVATE SQLite::SQLite3)
target_include_directories(verosa-tablegen PRIVATE ${PROJECT_SOURCE_DIR}/src)

set(VEROSA_TABLE_DIR ${PROJECT_SOURCE_DIR}/data/tables)

function(verosa_table_file output)
  set(csvs "")
  foreach(table ${ARGN})
    list(APPEND csvs ${VEROSA_TABLE_DIR}/${table}.csv)
  endforeach()
  add_custom_command(
    OUTPUT ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
    COMMAND verosa-tablegen ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${output} ${csvs}
    DEPENDS verosa-tablegen ${csvs}
    COMMENT "Building table file ${output}"
    VERBATIM)
endfunction()

verosa_table_file(2001QORA.sqlite ${VEROSA_QORA_TABLES})
verosa_table_file(factor.sqlite ${VEROSA_FACTOR_TABLES})

add_custom_target(verosa_table_files ALL DEPENDS
  ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/2001QORA.sqlite
  ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/factor.sqlite)

# The command-line runner reads the tables on every analysis.
add_dependencies(verosa-cli verosa_table_files)
