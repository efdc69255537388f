# Settings shared by the program's own targets.

option(MOXAVEL_SANITIZE "Native builds: AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

# Our sources are UTF-8; every string literal of the program is GBK in the binary.
# Targets that handle UTF-8 text themselves (the local lookup service) do not use this.
function(moxavel_gbk_target target)
  target_compile_options(${target} PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8 -fexec-charset=GBK>)
  moxavel_common_target(${target})
endfunction()

function(moxavel_common_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(MOXAVEL_SANITIZE AND NOT WIN32)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# Executables and tests link sanitizers too, or instrumented libraries fail to link.
function(moxavel_link_sanitizers target)
  if(MOXAVEL_SANITIZE AND NOT WIN32)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()
