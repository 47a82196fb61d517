# packaging.cmake - where `cmake --install` puts kovudf, and the release
# artefacts CPack makes from the same rules (./run package).
#
# Linux, a plain install and the Debian package: the modules go into the
# server's own directories (KOVUDF_UDF_DIR, KOVUDF_UDR_DIR; by default
# those of the Firebird of the Debian release KOVUDF_DEBIAN names), the
# scripts, README, CHANGELOG and docs/ into <prefix>/share/kovudf, and the
# package's changelogs and copyright into <prefix>/share/doc/kovudf.  The .tar.gz holds the same files laid out as in a
# Firebird root (UDF/, plugins/udr/, sql/), for servers installed elsewhere;
# its rules form the "archive" component, which a plain install skips.
#
# Windows (the .zip): UDF/kovudf.dll, plugins/udr/kovudf.dll, sql/, and
# README.txt, CHANGELOG.txt and docs/*.txt with Windows line endings.

file(GLOB KOVUDF_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/sql/*.sql)
file(GLOB KOVUDF_DOC_PAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/*.md)

# The artefacts' README opens with what an administrator does with them
# (release-readme.md), then the repository's from its first paragraph on,
# without the developers' commands above it.
file(READ ${CMAKE_SOURCE_DIR}/cmake/release-readme.md KOVUDF_README_HEAD)
string(CONFIGURE "${KOVUDF_README_HEAD}" KOVUDF_README_HEAD @ONLY)
file(READ ${CMAKE_SOURCE_DIR}/README.md KOVUDF_README_BODY)
string(FIND "${KOVUDF_README_BODY}" "\nkovudf is a library" KOVUDF_README_AT)
string(SUBSTRING "${KOVUDF_README_BODY}" ${KOVUDF_README_AT} -1 KOVUDF_README_BODY)
file(WRITE ${CMAKE_BINARY_DIR}/release/README.md "${KOVUDF_README_HEAD}${KOVUDF_README_BODY}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/README.md
                                                           ${CMAKE_SOURCE_DIR}/cmake/release-readme.md)
set(KOVUDF_DOCS ${CMAKE_BINARY_DIR}/release/README.md ${CMAKE_SOURCE_DIR}/CHANGELOG.md)

set(CPACK_PACKAGE_NAME kovudf)
set(CPACK_PACKAGE_VENDOR kovudf)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Shift-JIS aware text, BLOB, number and date functions for Firebird")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(KOVUDF_PLATFORM win32)
  else()
    set(KOVUDF_PLATFORM win64)
  endif()
  install(TARGETS kovudf RUNTIME DESTINATION UDF)
  install(TARGETS kovudf_udr RUNTIME DESTINATION plugins/udr)
  install(FILES ${KOVUDF_SCRIPTS} DESTINATION sql)
  foreach(doc ${KOVUDF_DOCS} ${KOVUDF_DOC_PAGES})
    get_filename_component(name ${doc} NAME)
    if(doc MATCHES "/docs/[^/]*$")
      set(name docs/${name})
    endif()
    string(REGEX REPLACE "\\.md$" ".txt" name "${name}")
    get_filename_component(where ${name} DIRECTORY)
    file(READ ${doc} text)
    # Links name the pages as the zip holds them.
    string(REGEX REPLACE "(\\]\\([^):]*)\\.md([)#])" "\\1.txt\\2" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${CMAKE_BINARY_DIR}/${name} "${text}")
    install(FILES ${CMAKE_BINARY_DIR}/${name} DESTINATION ./${where})
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KOVUDF_DOCS}
                                                               ${KOVUDF_DOC_PAGES})
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME kovudf-${PROJECT_VERSION}-${KOVUDF_PLATFORM})
  include(CPack)
  return()
endif()

# The Debian releases a package is made for, each with its Firebird: the
# one place a release's identity lives.
set(KOVUDF_DEBIAN 12 CACHE STRING "The Debian release to package for: 12 or 13")
if(KOVUDF_DEBIAN STREQUAL "13")
  set(KOVUDF_FIREBIRD 4.0)
  set(KOVUDF_DEBIAN_SUITE trixie)
  set(KOVUDF_OTHER_DEBIAN 12)
  set(KOVUDF_OTHER_FIREBIRD 3.0)
elseif(KOVUDF_DEBIAN STREQUAL "12")
  set(KOVUDF_FIREBIRD 3.0)
  set(KOVUDF_DEBIAN_SUITE bookworm)
  set(KOVUDF_OTHER_DEBIAN 13)
  set(KOVUDF_OTHER_FIREBIRD 4.0)
else()
  message(FATAL_ERROR "KOVUDF_DEBIAN is 12 or 13, not ${KOVUDF_DEBIAN}")
endif()
set(KOVUDF_FIREBIRD_DIR /usr/lib/x86_64-linux-gnu/firebird/${KOVUDF_FIREBIRD})
set(KOVUDF_UDF_DIR "${KOVUDF_FIREBIRD_DIR}/UDF"
    CACHE PATH "The server's UDF directory, where cmake --install puts the module")
set(KOVUDF_UDR_DIR "${KOVUDF_FIREBIRD_DIR}/plugins/udr"
    CACHE PATH "The server's UDR directory, where cmake --install puts libkovudf.so")
# Modules the server loads are not programs: mode 644, as the server's own.
set(KOVUDF_MODULE_MODE OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(TARGETS kovudf LIBRARY DESTINATION ${KOVUDF_UDF_DIR} PERMISSIONS ${KOVUDF_MODULE_MODE})
install(TARGETS kovudf_udr LIBRARY DESTINATION ${KOVUDF_UDR_DIR}
        PERMISSIONS ${KOVUDF_MODULE_MODE})
install(FILES ${KOVUDF_SCRIPTS} ${KOVUDF_DOCS} DESTINATION share/kovudf)
install(FILES ${KOVUDF_DOC_PAGES} DESTINATION share/kovudf/docs)

set(KOVUDF_MAINTAINER "kovudf developers <kovudf@example.org>"
    CACHE STRING "The Maintainer field of the Debian package")
# Where Debian's tools look: the changes as changelog.gz, the package's own
# changelog.Debian.gz, and the copyright.  Written when the package is made.
set(KOVUDF_DEB_VERSION ${PROJECT_VERSION}-1~deb${KOVUDF_DEBIAN})
set(KOVUDF_DEB_NAME kovudf_${KOVUDF_DEB_VERSION}_amd64.deb)
set(KOVUDF_OTHER_DEB_NAME kovudf_${PROJECT_VERSION}-1~deb${KOVUDF_OTHER_DEBIAN}_amd64.deb)
set(KOVUDF_DEBIAN_DOC ${CMAKE_BINARY_DIR}/debian-doc)
configure_file(${CMAKE_SOURCE_DIR}/cmake/debian/changelog.Debian.in
               ${KOVUDF_DEBIAN_DOC}/changelog.Debian @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/cmake/debian/copyright ${KOVUDF_DEBIAN_DOC}/copyright COPYONLY)
configure_file(${CMAKE_SOURCE_DIR}/CHANGELOG.md ${KOVUDF_DEBIAN_DOC}/changelog COPYONLY)
foreach(log changelog changelog.Debian)
  execute_process(COMMAND gzip -9nf ${KOVUDF_DEBIAN_DOC}/${log})
  install(FILES ${KOVUDF_DEBIAN_DOC}/${log}.gz DESTINATION share/doc/kovudf)
endforeach()
install(FILES ${KOVUDF_DEBIAN_DOC}/copyright DESTINATION share/doc/kovudf)
# Installed on a release whose Firebird is another, the package refuses,
# naming the one to use, before it puts anything anywhere.
configure_file(${CMAKE_SOURCE_DIR}/cmake/debian/preinst.in ${CMAKE_BINARY_DIR}/debian/preinst
               @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
               GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS kovudf LIBRARY DESTINATION UDF PERMISSIONS ${KOVUDF_MODULE_MODE}
        COMPONENT archive EXCLUDE_FROM_ALL)
install(TARGETS kovudf_udr LIBRARY DESTINATION plugins/udr PERMISSIONS ${KOVUDF_MODULE_MODE}
        COMPONENT archive EXCLUDE_FROM_ALL)
install(FILES ${KOVUDF_SCRIPTS} DESTINATION sql COMPONENT archive EXCLUDE_FROM_ALL)
install(FILES ${KOVUDF_DOCS} DESTINATION . COMPONENT archive EXCLUDE_FROM_ALL)
install(FILES ${KOVUDF_DOC_PAGES} DESTINATION docs COMPONENT archive EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_PACKAGE_FILE_NAME kovudf-${PROJECT_VERSION}-linux-x86_64)
# What differs between the two generators is set when CPack runs.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/package-generators.cmake)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KOVUDF_MAINTAINER})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1~deb${KOVUDF_DEBIAN})
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian/preinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_SECTION database)
# The libraries the modules link (the C++ runtime, libfbclient2, and the
# server's allocator in libib-util), found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_ENHANCES firebird${KOVUDF_FIREBIRD}-server)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "kovudf is a library of 41 functions that Firebird loads into the server
process and calls from SQL: text functions that respect Shift-JIS
double-byte characters, BLOB functions, numbers and dates.  This package,
for Debian ${KOVUDF_DEBIAN} and its Firebird ${KOVUDF_FIREBIRD}, holds the legacy UDF module
(kovudf.so, in Firebird ${KOVUDF_FIREBIRD}'s UDF directory), the external-routine module
(libkovudf.so, in plugins/udr) and their declaration scripts in
/usr/share/kovudf.
.
The package does not change /etc/firebird.  Debian's Firebird ships with
UdfAccess = None: whether the server may load UDF modules (UdfAccess =
Restrict UDF in firebird.conf) is the administrator's decision.  The
external routines need no UdfAccess.")

include(CPack)
