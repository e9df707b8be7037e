# The world list's server as a service: its unit for systemd, its settings, an nginx site for
# TLS in front of it, its manual page, and the browser page when a build of it is given
# (KG_PAGE_DIR, which make package sets). Installed as the package killglimbot-server.

set(KG_PAGE_DIR "" CACHE PATH "A built browser page (build/web) for the server's package")
set(server_dir ${CMAKE_CURRENT_LIST_DIR})
set(server_doc ${CMAKE_INSTALL_DATADIR}/doc/killglimbot-server)

# The unit and the settings go where the system reads them when installed under /usr (the
# package), and stay inside any other prefix.
install(CODE "
  set(system_root \"\")
  if(NOT CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    set(system_root \"\${CMAKE_INSTALL_PREFIX}\")
  endif()
  file(INSTALL DESTINATION \"\${system_root}/lib/systemd/system\" TYPE FILE
       FILES \"${server_dir}/killglimbot-server.service\")
  file(INSTALL DESTINATION \"\${system_root}/etc/killglimbot-server\" TYPE FILE
       FILES \"${server_dir}/server.ini\")
" COMPONENT server)
install(FILES ${server_dir}/nginx-site.conf DESTINATION ${server_doc}/examples COMPONENT server)
install(FILES ${server_dir}/../copyright
              ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION ${server_doc} COMPONENT server)
if(KG_PAGE_DIR)
  install(DIRECTORY ${KG_PAGE_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/killglimbot-server/page
          COMPONENT server PATTERN cmake EXCLUDE PATTERN libs EXCLUDE)
endif()

list(APPEND CPACK_COMPONENTS_ALL server)
set(CPACK_DEBIAN_SERVER_PACKAGE_NAME killglimbot-server)
set(CPACK_DEBIAN_SERVER_PACKAGE_SECTION net)
# It verifies every run with the game of the same version.
set(CPACK_DEBIAN_SERVER_PACKAGE_DEPENDS "killglimbot (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_SERVER_PACKAGE_SUGGESTS "nginx, postgresql")
set(CPACK_DEBIAN_SERVER_PACKAGE_CONTROL_EXTRA ${server_dir}/conffiles)
set(CPACK_DEBIAN_SERVER_DESCRIPTION
    "world Killer List server for Kill Glimbot, proven by replay
A Killer List for everyone who plays Kill Glimbot. Players send the journal
of a run; the server replays it with the game itself, in a process of its
own under time and memory limits, and lists it only when the replay proves
it. Every listed run can be watched again in the browser page it serves.

Runs as a hardened systemd service with a user of its own; an example nginx
site puts TLS in front of it.")
