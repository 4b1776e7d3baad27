# Per-target settings: warnings are switched on target by target so that the
# global flags stay untouched (third-party code keeps its own warning level).
function(tavolo_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  target_compile_features(${target} PUBLIC cxx_std_20)
endfunction()
