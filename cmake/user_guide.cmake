# The user guide as the HTML page F1 opens, with its pictures beside it: built into the build
# tree (so a program run from there finds it) and installed with the package. It needs Python's
# markdown module; without it the program opens the Markdown text instead.
set(ZKT_GUIDE_HTML ${CMAKE_BINARY_DIR}/docs/user-guide.html)
set(guidePython "")
foreach(candidate ${Python3_EXECUTABLE} /usr/bin/python3)
  if(NOT guidePython AND EXISTS "${candidate}")
    execute_process(COMMAND ${candidate} -c "import markdown" RESULT_VARIABLE missing OUTPUT_QUIET ERROR_QUIET)
    if(missing EQUAL 0)
      set(guidePython ${candidate})
    endif()
  endif()
endforeach()
if(guidePython)
  file(GLOB guidePictures CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/images/*.png)
  # The guide, and its first pages in each language they are translated into (user-guide.de.md).
  file(GLOB guideSources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/user-guide*.md)
  set(guidePages "")
  foreach(guide IN LISTS guideSources)
    get_filename_component(page ${guide} NAME_WLE)
    set(html ${CMAKE_BINARY_DIR}/docs/${page}.html)
    add_custom_command(OUTPUT ${html}
      COMMAND ${guidePython} ${PROJECT_SOURCE_DIR}/cmake/guide_html.py ${guide} ${html}
      DEPENDS ${guide} ${PROJECT_SOURCE_DIR}/cmake/guide_html.py ${guidePictures}
      COMMENT "The user guide as HTML: ${page}")
    list(APPEND guidePages ${html})
  endforeach()
  add_custom_target(user_guide ALL DEPENDS ${guidePages})
  install(FILES ${guidePages} DESTINATION ${ZKT_INSTALL_DOCDIR})
else()
  message(WARNING "Python's markdown module is missing (Debian: python3-markdown): the user guide is "
                  "installed as Markdown only")
endif()
