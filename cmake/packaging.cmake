# What `cmake --install` puts where, and the Debian package CPack makes of
# it (scripts/package.sh). Paths follow GNUInstallDirs under the prefix;
# the package is made for the prefix /usr. The target merovan_package
# builds what is installed and nothing else (no tests).

install(TARGETS merovan merovand merovan-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(staged ${CMAKE_BINARY_DIR}/packaging)

configure_file(${packaging}/merovand@.service.in ${staged}/merovand@.service @ONLY)
install(FILES ${staged}/merovand@.service DESTINATION lib/systemd/system)
install(FILES ${packaging}/merovan.sysusers DESTINATION lib/sysusers.d RENAME merovan.conf)
install(FILES ${packaging}/merovan.tmpfiles DESTINATION lib/tmpfiles.d RENAME merovan.conf)
install(FILES ${packaging}/merovan.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# Manual pages and the changelog are installed compressed, as Debian wants
# them; -n keeps the archive free of time stamps, so builds repeat.
set(compressed)
foreach(page merovan.1 merovand.1 merovan-sim.1)
  list(APPEND compressed ${staged}/${page}.gz)
  add_custom_command(OUTPUT ${staged}/${page}.gz
    COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/docs/man/${page} > ${staged}/${page}.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page})
  install(FILES ${staged}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
list(APPEND compressed ${staged}/changelog.gz)
add_custom_command(OUTPUT ${staged}/changelog.gz
  COMMAND gzip -9n -c ${packaging}/debian/changelog > ${staged}/changelog.gz
  DEPENDS ${packaging}/debian/changelog)
add_custom_target(merovan_compressed_docs ALL DEPENDS ${compressed})

install(FILES ${staged}/changelog.gz ${packaging}/debian/copyright README.md
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES docs/architecture.md docs/performance.md docs/simulator.md docs/job-files.md docs/host-api.md
  docs/openapi.yaml docs/web-console.md
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES samples/receipt.txt DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

add_custom_target(merovan_package)
add_dependencies(merovan_package merovan merovand merovan-sim merovan_icon_set merovan_examples
  merovan_compressed_docs)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME merovan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Merovan developers <maintainers@merovan.example>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beside the shared libraries: Qt's platform plugins for the window, and
# systemd for the user, the folder and the service.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite, systemd")
# xdg-utils opens the help text from the desktop bridge's menu.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${packaging}/debian/postinst ${packaging}/debian/prerm ${packaging}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bridge between a point-of-sale program and a Greek fiscal register")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A point-of-sale or accounting program writes plain-text job files into a
folder; Merovan turns every line into the fiscal register's keystroke
commands, sends them over a serial line or UDP, and appends the outcome to
a result file that the program reads. Card payments through the register's
card terminal, restaurant tables held in the register, X and Z reports.

The package holds the desktop bridge (merovan), the service bridge
(merovand, one systemd service per register: merovand@NAME) and a register
simulator for trials and integrators (merovan-sim).")
include(CPack)
