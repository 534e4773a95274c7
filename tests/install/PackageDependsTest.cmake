# The Debian package declares every runtime package its programs link, as
# dpkg-shlibdeps finds them on this system.
#
#   cmake -DSHLIBDEPS=... -DDEPENDS="..." -DPROGRAMS="a;b" -P PackageDependsTest.cmake

cmake_minimum_required(VERSION 3.25)
string(RANDOM LENGTH 10 ALPHABET abcdefghijklmnopqrstuvwxyz0123456789 tag)
set(work "/tmp/verosa-shlibdeps-${tag}")
file(MAKE_DIRECTORY "${work}/debian")
file(WRITE "${work}/debian/control" "Source: verosa\n\nPackage: verosa\nArchitecture: any\n")
execute_process(COMMAND "${SHLIBDEPS}" -O ${PROGRAMS} WORKING_DIRECTORY "${work}"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(REMOVE_RECURSE "${work}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "dpkg-shlibdeps failed: ${err}")
endif()
string(REGEX REPLACE "^shlibs:Depends=" "" out "${out}")
string(STRIP "${out}" out)
string(REPLACE ", " ";" found "${out}")
# The package names the package declares.
string(REPLACE ", " ";" declared "${DEPENDS}")
set(names "")
foreach(dependency ${declared})
  string(REGEX REPLACE " .*" "" package "${dependency}")
  list(APPEND names "${package}")
endforeach()
set(missing "")
foreach(dependency ${found})
  string(REGEX REPLACE " .*" "" package "${dependency}")
  if(NOT package IN_LIST names)
    list(APPEND missing "${dependency}")
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "the package does not declare: ${missing}\n(it declares: ${DEPENDS})")
endif()
