# Runs one libFuzzer target as a test: cmake -DTARGET=exe -DCORPUS=seeds -DWORK=folder
# -DRUNS=n [-DSECONDS=s] -P run_fuzz_target.cmake. New inputs go to WORK/corpus, so the seeds in
# the repository are only read; a failing input is saved in WORK as crash-* (or leak-*, ...).
# A run of n inputs starts from the seeds alone with a fixed seed, so it is the same every time;
# a timed run goes on from the inputs that earlier timed runs found.
if(SECONDS GREATER 0)
  file(GLOB old_artifacts ${WORK}/crash-* ${WORK}/leak-* ${WORK}/timeout-* ${WORK}/oom-*)
  if(old_artifacts)
    file(REMOVE ${old_artifacts})
  endif()
  set(limit -max_total_time=${SECONDS})
else()
  file(REMOVE_RECURSE ${WORK})
  set(limit -runs=${RUNS} -seed=1)
endif()
file(MAKE_DIRECTORY ${WORK}/corpus)
execute_process(
  COMMAND ${TARGET} ${limit} -timeout=25 -rss_limit_mb=2048 -print_final_stats=1
          -artifact_prefix=${WORK}/ ${WORK}/corpus ${CORPUS}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(GLOB artifacts ${WORK}/crash-* ${WORK}/leak-* ${WORK}/timeout-* ${WORK}/oom-*)
  message(FATAL_ERROR "fuzz target failed (${result}); inputs that fail: ${artifacts}")
endif()
