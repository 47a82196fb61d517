# Read by CPack once for each generator (CPACK_PROJECT_CONFIG_FILE).
if(CPACK_GENERATOR STREQUAL "DEB")
  # The modules' destinations are absolute (the server's directories): stage
  # them under DESTDIR, with the rest under /usr.
  set(CPACK_SET_DESTDIR ON)
  set(CPACK_INSTALL_PREFIX /usr)
elseif(CPACK_GENERATOR STREQUAL "TGZ")
  # The Firebird-root layout: the "archive" component only.
  string(REPLACE ";ALL;" ";archive;" CPACK_INSTALL_CMAKE_PROJECTS
                 "${CPACK_INSTALL_CMAKE_PROJECTS}")
endif()
