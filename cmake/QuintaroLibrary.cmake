# One static library per folder; its sources are every .cpp/.h in the folder
# (and in the listed sub-folders), so a new unit needs no edit here.
function(quintaro_add_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;LIBS;EXCLUDE" ${ARGN})
  set(dirs ${CMAKE_CURRENT_SOURCE_DIR})
  foreach(d ${ARG_DIRS})
    list(APPEND dirs ${CMAKE_CURRENT_SOURCE_DIR}/${d})
  endforeach()
  set(sources)
  foreach(d ${dirs})
    file(GLOB found CONFIGURE_DEPENDS ${d}/*.cpp ${d}/*.h)
    list(APPEND sources ${found})
  endforeach()
  foreach(x ${ARG_EXCLUDE})
    list(FILTER sources EXCLUDE REGEX "/${x}$")
  endforeach()
  add_library(${name} STATIC ${sources})
  # The moc step only reruns when a file it already knew changes (CMake 3.25), so
  # a header that joins the glob would never be moc'ed in an existing build tree:
  # when the file list changes, drop the step's stamp so it runs again.
  string(SHA1 listing "${sources}")
  if(NOT "${listing}" STREQUAL "${QUINTARO_SOURCES_${name}}")
    file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${name}_autogen/timestamp)
    set(QUINTARO_SOURCES_${name} "${listing}" CACHE INTERNAL "")
  endif()
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# Every tst_*.cpp in the calling folder becomes one Qt Test executable,
# registered with CTest and run headless.
function(quintaro_add_tests)
  cmake_parse_arguments(ARG "" "" "LIBS;EXTRA_SOURCES" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/support/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/support/*.h)
  get_filename_component(area ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  # The area's support files are compiled once, not once for every test program.
  set(support)
  if(helpers)
    set(support ${area}_support)
    add_library(${support} STATIC ${helpers})
    target_include_directories(${support} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${support} PUBLIC ${ARG_LIBS} Qt6::Test)
  endif()
  foreach(src ${tests})
    get_filename_component(tname ${src} NAME_WE)
    set(target ${area}_${tname})
    add_executable(${target} ${src} ${ARG_EXTRA_SOURCES})
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${target} PRIVATE ${support} ${ARG_LIBS} Qt6::Test)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES
      # The user's history of copies (for undo) and the copy service's settings go to the
      # build tree, never the home folder.
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1;XDG_STATE_HOME=${CMAKE_CURRENT_BINARY_DIR}/state-${tname};XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/config-${tname}"
      TIMEOUT 300)
  endforeach()
endfunction()
