# The libFuzzer build: clang compiles the code under test with coverage for the fuzzer and with
# AddressSanitizer and UndefinedBehaviorSanitizer. clang cannot encode literals as CP932, so the
# Japanese literals stay UTF-8 in this build; the fuzz targets check memory safety and the
# parsers' rules, which never depend on those texts.
set(TARVANE_FUZZ_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined
  -fno-omit-frame-pointer)

# Applied at the end of the top-level directory, when every target exists.
function(tarvane_fuzz_patch_targets)
  set(directories ${CMAKE_SOURCE_DIR})
  while(directories)
    list(POP_FRONT directories directory)
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    list(APPEND directories ${subdirectories})
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
      get_target_property(type ${target} TYPE)
      if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY|MODULE_LIBRARY|EXECUTABLE)$")
        continue()
      endif()
      get_target_property(options ${target} COMPILE_OPTIONS)
      if(options)
        list(TRANSFORM options REPLACE "^-fexec-charset=.*" "-fexec-charset=UTF-8")
        set_target_properties(${target} PROPERTIES COMPILE_OPTIONS "${options}")
      endif()
      target_compile_options(${target} PRIVATE ${TARVANE_FUZZ_SANITIZERS} -fsanitize=fuzzer-no-link)
      target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endforeach()
  endwhile()
endfunction()

cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL tarvane_fuzz_patch_targets)
