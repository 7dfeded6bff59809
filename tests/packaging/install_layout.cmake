# Installs a build tree into a scratch prefix and checks that the pieces find each other there:
# zktcli finds its chart program, the menu entry starts an installed program and names an
# installed icon, the file types it opens are defined and have their icons, the AppStream
# metadata points at that menu entry and lists only installed programs, and the example sits
# where the documentation sends the reader.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DWITH_GUI=ON|OFF -P install_layout.cmake

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${errors}")
endif()

set(problems "")
macro(require_file relative)
  if(NOT EXISTS "${PREFIX}/${relative}")
    string(APPEND problems "\n  missing ${relative}")
  endif()
endmacro()

foreach(program zktcli zktsim)
  require_file(bin/${program})
endforeach()
require_file(share/doc/zktconfig/examples/three-manuals.zkt)
require_file(share/doc/zktconfig/copyright)
# Help > View On-line Docs opens the installed guide, whose pictures sit beside it.
require_file(share/doc/zktconfig/user-guide.md)
require_file(share/doc/zktconfig/user-guide.html)
foreach(language de nl fr)
  require_file(share/doc/zktconfig/user-guide.${language}.html)
endforeach()
require_file(share/doc/zktconfig/images/main_window_3_manuals.png)

if(WITH_GUI)
  set(desktop_file "${PREFIX}/share/applications/zktconfig.desktop")
  set(metainfo_file "${PREFIX}/share/metainfo/org.zktconfig.ZKTConfig.metainfo.xml")
  require_file(bin/zktconfig)
  require_file(share/applications/zktconfig.desktop)
  # The installed zktcli finds its chart program where the package puts it.
  execute_process(COMMAND "${PREFIX}/bin/zktcli" chart "${PREFIX}/share/doc/zktconfig/examples/three-manuals.zkt"
                          -o "${PREFIX}/chart.pdf"
                  RESULT_VARIABLE chart_status ERROR_VARIABLE chart_errors)
  if(NOT chart_status EQUAL 0 OR NOT EXISTS "${PREFIX}/chart.pdf")
    string(APPEND problems "\n  the installed zktcli chart failed (${chart_status}): ${chart_errors}")
  endif()
  require_file(share/metainfo/org.zktconfig.ZKTConfig.metainfo.xml)

  if(EXISTS "${desktop_file}")
    file(STRINGS "${desktop_file}" exec_line REGEX "^Exec=")
    file(STRINGS "${desktop_file}" icon_line REGEX "^Icon=")
    # The program is the first word of Exec; field codes such as %f may follow.
    string(REGEX REPLACE "^Exec=([^ ]+).*" "\\1" exec_program "${exec_line}")
    string(REGEX REPLACE "^Icon=" "" icon_name "${icon_line}")
    require_file(bin/${exec_program})
    require_file(share/icons/hicolor/scalable/apps/${icon_name}.svg)

    # Each file type the entry opens is defined by an installed MIME package, named after the
    # package, and the icon that definition names is installed among the file-type icons.
    set(mime_package "${PREFIX}/share/mime/packages/zktconfig.xml")
    require_file(share/mime/packages/zktconfig.xml)
    # Read whole, as file(STRINGS) would escape the semicolons of the list.
    file(READ "${desktop_file}" desktop_entry)
    string(REGEX MATCH "\nMimeType=([^\n]*)" mime_line "${desktop_entry}")
    string(REGEX MATCHALL "[^;]+" mime_types "${CMAKE_MATCH_1}")
    if(mime_types STREQUAL "")
      string(APPEND problems "\n  the desktop entry opens no file type")
    elseif(EXISTS "${mime_package}")
      file(READ "${mime_package}" mime_definition)
      foreach(mime_type IN LISTS mime_types)
        if(NOT mime_definition MATCHES "<mime-type type=\"${mime_type}\">")
          string(APPEND problems "\n  the desktop entry opens ${mime_type}, which zktconfig.xml does not define")
        endif()
      endforeach()
      string(REGEX MATCHALL "<icon name=\"[^\"]+\"" mime_icons "${mime_definition}")
      foreach(mime_icon IN LISTS mime_icons)
        string(REGEX REPLACE "<icon name=\"([^\"]+)\"" "\\1" mime_icon "${mime_icon}")
        require_file(share/icons/hicolor/scalable/mimetypes/${mime_icon}.svg)
      endforeach()
    endif()
  endif()

  if(EXISTS "${metainfo_file}")
    file(READ "${metainfo_file}" metainfo)
    string(REGEX MATCH "<launchable type=\"desktop-id\">([^<]+)</launchable>" launchable "${metainfo}")
    if(NOT CMAKE_MATCH_1 STREQUAL "zktconfig.desktop")
      string(APPEND problems "\n  the metadata launches '${CMAKE_MATCH_1}', not the installed zktconfig.desktop")
    endif()
    string(REGEX MATCHALL "<binary>[^<]+</binary>" binaries "${metainfo}")
    foreach(binary IN LISTS binaries)
      string(REGEX REPLACE "</?binary>" "" binary "${binary}")
      require_file(bin/${binary})
    endforeach()
  endif()
endif()

if(problems)
  message(FATAL_ERROR "install layout under ${PREFIX}:${problems}")
endif()
