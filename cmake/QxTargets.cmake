# qx_folder_library(<target> <folder> [FILES f...] [EXCLUDE f...])
# A static library of every .cpp directly inside <folder> (or the FILES given),
# so that a new source file joins its layer without editing the build.
function(qx_folder_library target folder)
  cmake_parse_arguments(ARG "" "" "FILES;EXCLUDE" ${ARGN})
  if(ARG_FILES)
    list(TRANSFORM ARG_FILES PREPEND "${CMAKE_SOURCE_DIR}/" OUTPUT_VARIABLE sources)
  else()
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${folder}/*.cpp")
  endif()
  foreach(ex ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources "${CMAKE_SOURCE_DIR}/${ex}")
  endforeach()
  if(NOT sources)
    # An empty layer still gets a library, so that its users can link it.
    set(sources "${CMAKE_BINARY_DIR}/empty_${target}.cpp")
    file(WRITE ${sources} "// no sources yet\n")
  endif()
  add_library(${target} STATIC ${sources})
endfunction()

# qx_test_folder(<folder> <link targets...>): one GoogleTest program per folder of tests.
function(qx_test_folder folder)
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*_test.cpp")
  if(NOT sources)
    return()
  endif()
  set(target qx_${folder}_tests)
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE ${ARGN} GTest::gmock GTest::gtest_main)
  target_compile_definitions(${target} PRIVATE
    QX_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data"
    QX_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    QX_BUILD_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QX_HEADLESS=1;QT_QPA_PLATFORM=offscreen")
endfunction()
