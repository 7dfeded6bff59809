# Installation layout and the Debian package.
include(GNUInstallDirs)

foreach(program zktconfig zktcli zktsim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/packaging/zktconfig.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/zktconfig.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/org.zktconfig.ZKTConfig.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/examples/three-manuals.zkt
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples OPTIONAL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zktconfig)
set(CPACK_PACKAGE_VENDOR "ZKTConfig developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration tool for the ZKT organ MIDI encoder")
set(CPACK_PACKAGE_CONTACT "ZKTConfig developers <zktconfig@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Library dependencies are read off the binaries by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
include(CPack)
