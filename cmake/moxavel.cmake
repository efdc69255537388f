# Settings shared by the program's own targets.

option(MOXAVEL_SANITIZE "Native builds: AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
# Declared here, not in tests/fuzz, because every library must see it when it is defined.
option(MOXAVEL_FUZZ "Native clang builds: libFuzzer targets in tests/fuzz, libraries instrumented" OFF)

# Our sources are UTF-8; every string literal of the program is GBK in the binary.
# Targets that handle UTF-8 text themselves (the local lookup service) do not use this.
# clang 14 knows no execution character set but UTF-8, so its literals stay UTF-8: good
# enough for the fuzzing builds it serves, not for the byte-exact tests.
function(moxavel_gbk_target target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8>)
  else()
    target_compile_options(${target} PRIVATE
      $<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8 -fexec-charset=GBK>)
  endif()
  moxavel_common_target(${target})
endfunction()

function(moxavel_common_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(MOXAVEL_FUZZ AND NOT WIN32)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                                             -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  elseif(MOXAVEL_SANITIZE AND NOT WIN32)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# Executables and tests link sanitizers too, or instrumented libraries fail to link.
function(moxavel_link_sanitizers target)
  if((MOXAVEL_SANITIZE OR MOXAVEL_FUZZ) AND NOT WIN32)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()
