# GNU libiconv 1.14, from the sources shipped in the npm package iconv@3.0.1.
# Debian has no GNU libiconv and glibc's iconv lacks the "JAVA" encoding, so both
# builds compile it themselves. The tarball is fetched once, checked, and unpacked
# into the build tree; it is never committed.
set(MOXAVEL_ICONV_SHA256 19d0c9109234dcf12796915a4a9c9496b8ecf3e0d08e4722f99b56e3d0a3dffb)
set(MOXAVEL_DOWNLOAD_DIR "${CMAKE_BINARY_DIR}/_downloads" CACHE PATH
    "Where fetched source archives are kept (may be shared between build trees)")

set(_iconv_tgz "${MOXAVEL_DOWNLOAD_DIR}/iconv-3.0.1.tgz")
set(_iconv_dir "${CMAKE_BINARY_DIR}/_deps/iconv-3.0.1")

function(_moxavel_iconv_digest_ok result)
  set(${result} FALSE PARENT_SCOPE)
  if(EXISTS "${_iconv_tgz}")
    file(SHA256 "${_iconv_tgz}" digest)
    if(digest STREQUAL MOXAVEL_ICONV_SHA256)
      set(${result} TRUE PARENT_SCOPE)
    endif()
  endif()
endfunction()

_moxavel_iconv_digest_ok(_have_tgz)
if(NOT _have_tgz)
  find_program(MOXAVEL_NPM npm REQUIRED)
  file(MAKE_DIRECTORY "${MOXAVEL_DOWNLOAD_DIR}")
  file(REMOVE "${_iconv_tgz}")
  message(STATUS "Fetching iconv@3.0.1 (GNU libiconv sources) with npm pack")
  execute_process(
    COMMAND "${MOXAVEL_NPM}" pack iconv@3.0.1 --pack-destination "${MOXAVEL_DOWNLOAD_DIR}"
    WORKING_DIRECTORY "${MOXAVEL_DOWNLOAD_DIR}"
    RESULT_VARIABLE _npm_rc OUTPUT_QUIET ERROR_VARIABLE _npm_err)
  if(NOT _npm_rc EQUAL 0)
    message(FATAL_ERROR "npm pack iconv@3.0.1 failed: ${_npm_err}")
  endif()
  _moxavel_iconv_digest_ok(_have_tgz)
  if(NOT _have_tgz)
    file(REMOVE "${_iconv_tgz}")
    message(FATAL_ERROR "iconv-3.0.1.tgz does not have the expected SHA-256 ${MOXAVEL_ICONV_SHA256}")
  endif()
endif()

set(_iconv_stamp "${_iconv_dir}/.unpacked-${MOXAVEL_ICONV_SHA256}")
if(NOT EXISTS "${_iconv_stamp}")
  file(REMOVE_RECURSE "${_iconv_dir}")
  file(ARCHIVE_EXTRACT INPUT "${_iconv_tgz}" DESTINATION "${_iconv_dir}")
  file(TOUCH "${_iconv_stamp}")
endif()

set(_iconv_src "${_iconv_dir}/package")
add_library(moxavel_iconv STATIC
  "${_iconv_src}/deps/libiconv/lib/iconv.c"
  "${_iconv_src}/support/localcharset.c")
target_compile_definitions(moxavel_iconv PRIVATE ICONV_CONST=const ENABLE_EXTRA=1)
target_include_directories(moxavel_iconv PUBLIC "${_iconv_src}/support")
# Third-party C: its warnings are not ours, and sanitizers have no business in it.
target_compile_options(moxavel_iconv PRIVATE -w)
set_target_properties(moxavel_iconv PROPERTIES C_STANDARD 99 POSITION_INDEPENDENT_CODE ON)
