# Runs the table-rules fuzzer from seeds made of the corpus tables' first 64
# bytes: a fixed number of inputs from a fixed seed, so that every machine
# tries the same ones (they reach every branch of the rules well before the
# end), or for $ENV{QESH_FUZZ_SECONDS} seconds of new inputs when set.
set(bound -runs=200000 -seed=1)
if(DEFINED ENV{QESH_FUZZ_SECONDS})
  set(bound -max_total_time=$ENV{QESH_FUZZ_SECONDS})
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/seeds ${WORK}/found)
file(GLOB_RECURSE tables ${CORPUS}/*.dbf ${CORPUS}/*.DBF ${CORPUS}/*.Dbf)
foreach(table IN LISTS tables)
  get_filename_component(name ${table} NAME)
  file(READ ${table} head LIMIT 64 HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${head}")
  execute_process(COMMAND printf "${escaped}" OUTPUT_FILE ${WORK}/seeds/${name})
endforeach()
execute_process(COMMAND ${FUZZER} ${bound} -print_final_stats=1
                        ${WORK}/found ${WORK}/seeds
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the fuzzer found a fault (exit ${result})")
endif()
