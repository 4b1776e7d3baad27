# Builds the Debian package of a build tree into OUT/out and unpacks it into
# OUT/root, once for all the package tests (a ctest fixture). Where no package
# can be made here, writes the reason to OUT/skipped instead, for the tests to
# report.
#   cmake -DCPACK=... -DBINARY_DIR=... -DOUT=... -DSANITIZED=0|1 -P build_package.cmake
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")

if(SANITIZED)
  file(WRITE "${OUT}/skipped"
       "sanitizer build: schools get the package of the Release build, which the suite checks there")
  return()
endif()
set(missing "")
foreach(tool dpkg dpkg-deb dpkg-shlibdeps file)
  find_program(tool_path_${tool} ${tool})
  if(NOT tool_path_${tool})
    list(APPEND missing ${tool})
  endif()
endforeach()
if(missing)
  list(JOIN missing ", " missing)
  file(WRITE "${OUT}/skipped" "packaging tools missing (scripts/setup installs them): ${missing}")
  return()
endif()

execute_process(
  COMMAND "${CPACK}" -G DEB --config "${BINARY_DIR}/CPackConfig.cmake" -B "${OUT}/out"
  RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cpack failed (${status}):\n${log}")
endif()
file(GLOB debs "${OUT}/out/*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "cpack made ${count} packages, not one:\n${log}")
endif()
execute_process(COMMAND dpkg-deb -x "${debs}" "${OUT}/root" RESULT_VARIABLE status
                ERROR_VARIABLE log)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -x failed:\n${log}")
endif()
file(WRITE "${OUT}/deb" "${debs}")
