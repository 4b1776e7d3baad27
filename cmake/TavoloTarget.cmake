# Compiler settings every target of ours shares: the language level and the
# warnings. CI builds with the `ci` preset, where every warning is an error.
function(tavolo_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 reports overlapping copies inside std::string's inlined operator+
    # that cannot happen (GCC bugs 105329 and 105651, fixed in GCC 13), and at
    # -O3 takes members of aggregates holding strings for uninitialised. The
    # first is pure noise there; the second stays visible but does not fail CI.
    target_compile_options(${target} PRIVATE -Wno-restrict -Wno-error=maybe-uninitialized)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # Everything is built position-independent for the program's Qt part;
    # calls within it need not allow for another library replacing a function,
    # so GCC may still inline them as in a program.
    target_compile_options(${target} PRIVATE -fno-semantic-interposition)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    # Clang's -Wconversion also warns on every signed/unsigned mix, which
    # GCC's leaves out; keep the two compilers' warnings the same.
    target_compile_options(${target} PRIVATE -Wno-sign-conversion)
  endif()
  target_compile_features(${target} PUBLIC cxx_std_20)
endfunction()
