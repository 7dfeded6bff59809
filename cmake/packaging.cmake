# Installation layout and the Debian package.
include(GNUInstallDirs)

# The project is called ZKTConfig, but Debian keeps a package's documents under its package
# name, and the user guide and README point at /usr/share/doc/zktconfig.
set(ZKT_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/zktconfig)

foreach(program zktconfig zktcli zktsim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
# Run by zktcli only, so not on the PATH.
if(TARGET zktcli-chart)
  install(TARGETS zktcli-chart RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/zktconfig)
endif()

if(ZKT_BUILD_GUI)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/zktconfig.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/zktconfig.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/org.zktconfig.ZKTConfig.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  # The .zkt file type, so that file managers show configurations with the program's icon and
  # open them in the window. The definition is named after the package, as the MIME database
  # expects; shared-mime-info's dpkg trigger on mime/packages rebuilds the database, so the
  # package needs no maintainer scripts of its own.
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/zktconfig-mime.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME zktconfig.xml)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/zktconfig.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes
          RENAME application-x-zktconfig.svg)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/examples/three-manuals.zkt
        DESTINATION ${ZKT_INSTALL_DOCDIR}/examples)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION ${ZKT_INSTALL_DOCDIR})
# The user guide with its pictures, and its first pages in other languages: F1 opens it from here.
file(GLOB zkt_guide_texts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/user-guide*.md)
install(FILES ${zkt_guide_texts} ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${ZKT_INSTALL_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/images
        DESTINATION ${ZKT_INSTALL_DOCDIR})
include(${CMAKE_CURRENT_LIST_DIR}/user_guide.cmake)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zktconfig)
set(CPACK_PACKAGE_VENDOR "ZKTConfig developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration tool for the ZKT organ MIDI encoder")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "ZKTConfig reads the program data of every board of a ZKT organ MIDI encoder chain over MIDI\n"
    "System Exclusive, edits what each thumb piston sends and each manual's channel settings, writes\n"
    "the data back and keeps whole configurations in .zkt files. The package holds the window\n"
    "(zktconfig), the command-line tool (zktcli) and a simulated encoder chain (zktsim).")
set(CPACK_PACKAGE_CONTACT "ZKTConfig developers <zktconfig@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Library dependencies are read off the binaries by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# On Debian 12 Qt's xcb and offscreen platform plugins ship inside libqt6gui6, which the window
# links, and fontconfig brings a font, so dpkg-shlibdeps' list is enough to start. Without the
# Wayland plugin a Wayland session still works through XWayland, hence only a recommendation;
# without Qt's translations the window's own words are translated and Qt's buttons stay English.
if(ZKT_BUILD_GUI)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, hicolor-icon-theme, qt6-translations-l10n")
endif()
# A MIDI loop is reached through ALSA or a JACK server; neither server is needed to edit files.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "jackd2")
set(CPACK_STRIP_FILES ON)
include(CPack)
