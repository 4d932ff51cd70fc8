# Build flags and target helpers of the project. Every target of ours gets its
# flags through qx_target_flags, so that nothing is set globally.

# qx_build_flags: warnings, the warnings gate, sanitizers and fuzzer coverage,
# carried to every target that links it.
add_library(qx_build_flags INTERFACE)
target_compile_options(qx_build_flags INTERFACE -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)
if(QX_WERROR)
  target_compile_options(qx_build_flags INTERFACE -Werror)
endif()
if(QX_FUZZ)
  # Coverage feedback from the whole core, not only the fuzz drivers. A
  # Debug build with fuzzing is compiled at -O1: at -O0 every small library
  # call (string_view::substr, operator[]) stays a call with its coverage
  # and address checks, and the codec targets run a hundred times slower.
  target_compile_options(qx_build_flags INTERFACE -fsanitize=fuzzer-no-link $<$<CONFIG:Debug>:-O1>)
endif()
if(QX_SANITIZE)
  target_compile_options(qx_build_flags INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(qx_build_flags INTERFACE -fsanitize=address,undefined)
endif()

# qx_target_flags(<target>): the project's flags and its source root as the
# include root ("config/ModuleConfig.h").
function(qx_target_flags target)
  target_link_libraries(${target} PRIVATE qx_build_flags)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "STATIC_LIBRARY")
    target_include_directories(${target} PUBLIC "${CMAKE_SOURCE_DIR}")
  else()
    target_include_directories(${target} PRIVATE "${CMAKE_SOURCE_DIR}")
  endif()
endfunction()

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
  qx_target_flags(${target})
endfunction()

# qx_test_folder(<folder> <link targets...>): one GoogleTest program per folder of tests.
function(qx_test_folder folder)
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*_test.cpp")
  if(NOT sources)
    return()
  endif()
  set(target qx_${folder}_tests)
  add_executable(${target} ${sources})
  qx_target_flags(${target})
  target_link_libraries(${target} PRIVATE ${ARGN} GTest::gmock GTest::gtest_main)
  target_compile_definitions(${target} PRIVATE
    QX_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data"
    QX_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    QX_BUILD_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QX_HEADLESS=1;QT_QPA_PLATFORM=offscreen")
endfunction()
