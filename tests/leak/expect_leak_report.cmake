# Runs the leak probe twice under LeakSanitizer with the project's
# suppressions: cleanly it must pass (Qt's own leftovers are suppressed), and
# losing a QObject of ours inside a Qt slot must be reported with our frame.
#   cmake -DPROBE=<tavolo_leak_probe> -DSUPPRESSIONS=<lsan.supp> -P expect_leak_report.cmake
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{LSAN_OPTIONS} "suppressions=${SUPPRESSIONS}:print_suppressions=0")
set(ENV{ASAN_OPTIONS} "detect_leaks=1")

execute_process(COMMAND ${PROBE} RESULT_VARIABLE clean_result
                OUTPUT_VARIABLE clean_out ERROR_VARIABLE clean_out)
if(NOT clean_result EQUAL 0)
  message(FATAL_ERROR "The probe without a leak failed (${clean_result}):\n${clean_out}")
endif()

execute_process(COMMAND ${PROBE} --leak RESULT_VARIABLE leak_result
                OUTPUT_VARIABLE leak_out ERROR_VARIABLE leak_out)
if(leak_result EQUAL 0)
  message(FATAL_ERROR "The lost QObject went unreported:\n${leak_out}")
endif()
# A QObject and its private part point at each other, so LeakSanitizer
# calls both "indirect" leaks; what matters is that ours is named.
foreach(expected "ERROR: LeakSanitizer: detected memory leaks" "leak of 16 byte(s)"
                 "LoseAnObjectOfOurs")
  string(FIND "${leak_out}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "The leak report lacks \"${expected}\":\n${leak_out}")
  endif()
endforeach()
