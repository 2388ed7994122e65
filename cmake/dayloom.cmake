# dayloom_library(NAME [QT mod ...] [DEPS lib ...] [LIBS ...]
#                 [PRIVATE_QT mod ...] [PRIVATE_DEPS lib ...] [PRIVATE_LIBS ...])
# Builds every .cpp/.h in the calling folder (subfolders included) into one
# static library named dayloom_NAME. QT, DEPS and LIBS name what the
# library's headers use (its users get them too); the PRIVATE_ ones what only
# its sources use. Each library lists its direct dependencies only.
function(dayloom_library name)
  cmake_parse_arguments(ARG "" "" "QT;DEPS;LIBS;PRIVATE_QT;PRIVATE_DEPS;PRIVATE_LIBS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  list(FILTER sources EXCLUDE REGEX "/\\.#")
  set(stub ${CMAKE_CURRENT_BINARY_DIR}/dayloom_${name}_stub.cpp)
  if(NOT EXISTS ${stub})
    file(WRITE ${stub} "// keeps a library without sources of its own linkable\n")
  endif()
  add_library(dayloom_${name} STATIC ${sources} ${stub})
  target_include_directories(dayloom_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  foreach(scope PUBLIC PRIVATE)
    if(scope STREQUAL "PUBLIC")
      set(qt ${ARG_QT})
      set(deps ${ARG_DEPS})
      set(libs ${ARG_LIBS})
    else()
      set(qt ${ARG_PRIVATE_QT})
      set(deps ${ARG_PRIVATE_DEPS})
      set(libs ${ARG_PRIVATE_LIBS})
    endif()
    set(items ${libs})
    foreach(q ${qt})
      list(APPEND items Qt6::${q})
    endforeach()
    foreach(d ${deps})
      list(APPEND items dayloom_${d})
    endforeach()
    if(items)
      target_link_libraries(dayloom_${name} ${scope} ${items})
    endif()
  endforeach()
  dayloom_warnings(dayloom_${name})
endfunction()

function(dayloom_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS_DISABLED)
endfunction()

# dayloom_test(FOLDER [WIDGETS] DEPS lib ... [QT mod ...])
# One test program per tests/ folder, run by CTest offscreen at 96 PPI.
function(dayloom_test folder)
  cmake_parse_arguments(ARG "WIDGETS" "" "DEPS;QT" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
  if(NOT sources)
    return()
  endif()
  set(target test_${folder})
  add_executable(${target} ${sources})
  set(deps)
  foreach(d ${ARG_DEPS})
    list(APPEND deps dayloom_${d})
  endforeach()
  if(ARG_WIDGETS)
    set(main dayloom_testmain_widgets)
  else()
    set(main dayloom_testmain_gui)
  endif()
  foreach(q ${ARG_QT})
    list(APPEND deps Qt6::${q})
  endforeach()
  target_link_libraries(${target} PRIVATE ${main} ${deps} GTest::gtest GTest::gmock Qt6::Test)
  dayloom_warnings(${target})
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FONT_DPI=96;LC_ALL=C.UTF-8;LANG=C.UTF-8"
               TIMEOUT 300)
endfunction()

# The folders and files under data/ that the program reads at run time: every
# entry except the desktop integration (data/desktop) and notes (README.md).
function(dayloom_program_data_entries out)
  file(GLOB entries CONFIGURE_DEPENDS LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/data/*)
  list(FILTER entries EXCLUDE REGEX "/(desktop|README\\.md)$")
  set(${out} ${entries} PARENT_SCOPE)
endfunction()

# Links every program data entry beside the executable in the build tree, so
# that a build-tree run finds its data the way a portable folder does.
function(dayloom_link_data_into_build_tree)
  dayloom_program_data_entries(entries)
  foreach(entry ${entries})
    get_filename_component(name ${entry} NAME)
    set(link ${CMAKE_BINARY_DIR}/${name})
    if(IS_SYMLINK ${link} OR NOT EXISTS ${link})
      file(CREATE_LINK ${entry} ${link} SYMBOLIC)
    endif()
  endforeach()
endfunction()
