# Builds the Debian package of a build tree into a scratch folder and checks what apt will see:
# the programs under /usr (not /usr/local), nothing else in /usr/bin, the documents under the
# package's name, and dependencies that dpkg-shlibdeps read off the binaries, among them the Qt
# library that carries the platform plugins and the MIDI library.
#   cmake -DBUILD_DIR=... -DOUT_DIR=... -DWITH_GUI=ON|OFF -DVERSION=x.y.z -P deb_contents.cmake

file(REMOVE_RECURSE "${OUT_DIR}")
execute_process(COMMAND cpack -G DEB -B "${OUT_DIR}" --config "${BUILD_DIR}/CPackConfig.cmake"
                WORKING_DIRECTORY "${BUILD_DIR}" RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(GLOB packages "${OUT_DIR}/zktconfig_*.deb")
list(LENGTH packages count)
if(NOT status EQUAL 0 OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack made ${count} packages (status ${status}):\n${output}")
endif()

execute_process(COMMAND dpkg-deb --field "${packages}" Package Version Depends OUTPUT_VARIABLE control)
execute_process(COMMAND dpkg-deb --contents "${packages}" OUTPUT_VARIABLE listing)
# Keep only the paths of the listing.
string(REGEX REPLACE "[^\n]* \\./" "/" listing "${listing}")

set(problems "")
if(NOT control MATCHES "Package: zktconfig\n")
  string(APPEND problems "\n  not named zktconfig")
endif()
if(NOT control MATCHES "Version: ${VERSION}\n")
  string(APPEND problems "\n  version is not ${VERSION}")
endif()
set(needed_libraries libc6 libstdc++6 librtmidi6)
set(expected_programs /usr/bin/zktcli /usr/bin/zktsim)
if(WITH_GUI)
  list(APPEND needed_libraries libqt6gui6 libqt6widgets6 libqt6printsupport6)
  list(APPEND expected_programs /usr/bin/zktconfig)
endif()
string(REGEX MATCH "Depends: [^\n]*" depends "${control}")
foreach(library IN LISTS needed_libraries)
  string(FIND "${depends}" " ${library} (" at)
  if(at EQUAL -1)
    string(APPEND problems "\n  Depends does not name ${library}")
  endif()
endforeach()

string(REGEX MATCHALL "/usr/bin/[^\n/]+" programs "${listing}")
list(SORT programs)
list(SORT expected_programs)
if(NOT programs STREQUAL expected_programs)
  string(APPEND problems "\n  /usr/bin holds '${programs}', expected '${expected_programs}'")
endif()
set(expected_paths /usr/share/doc/zktconfig/copyright /usr/share/doc/zktconfig/examples/three-manuals.zkt)
if(WITH_GUI)
  list(APPEND expected_paths /usr/libexec/zktconfig/zktcli-chart /usr/share/mime/packages/zktconfig.xml
       /usr/share/icons/hicolor/scalable/mimetypes/application-x-zktconfig.svg)
endif()
foreach(path IN LISTS expected_paths)
  if(NOT listing MATCHES "${path}\n")
    string(APPEND problems "\n  no ${path}")
  endif()
endforeach()
if(listing MATCHES "/usr/local/")
  string(APPEND problems "\n  files under /usr/local")
endif()

if(problems)
  message(FATAL_ERROR "${packages}:${problems}\n--- control\n${control}")
endif()
