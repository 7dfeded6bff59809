# Builds a MIME database from the package's .zkt type alone, as a desktop would after installing
# it, and asks xdg-mime what some files are: a configuration by its name, one without its .zkt
# (found by the content), one with plain LF line ends (the program reads those too), and text
# that only looks like one (a hex dump, the README), which must keep its own type.
#   cmake -DSOURCE_DIR=... -DWORK_DIR=... -P mime_type.cmake

set(type application/x-zktconfig)
set(data "${WORK_DIR}/data")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${data}/mime/packages")
# Named as the package installs it.
file(COPY_FILE "${SOURCE_DIR}/packaging/zktconfig-mime.xml" "${data}/mime/packages/zktconfig.xml")

# Only this database: the machine's own, and the user's, stay out of it.
set(ENV{XDG_DATA_HOME} "${data}")
set(ENV{XDG_DATA_DIRS} "${data}")
execute_process(COMMAND update-mime-database "${data}/mime"
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
# A rule it cannot read is reported and left out, yet the exit status stays 0.
if(NOT status EQUAL 0 OR NOT output STREQUAL "")
  message(FATAL_ERROR "update-mime-database (status ${status}) rejects the definition:\n${output}")
endif()

set(example "${SOURCE_DIR}/examples/three-manuals.zkt")
file(READ "${example}" configuration)
file(WRITE "${WORK_DIR}/organ" "${configuration}")
string(REPLACE "\r\n" "\n" unix_lines "${configuration}")
file(WRITE "${WORK_DIR}/organ-lf" "${unix_lines}")
# Hex pairs and blanks like a configuration, but in lines of 16 bytes.
string(SUBSTRING "${configuration}" 0 48 dump_line)
string(REPEAT "${dump_line}\n" 20 dump)
file(WRITE "${WORK_DIR}/dump.txt" "${dump}")

# Outside a desktop session xdg-mime asks mimetype, which reads the XDG data folders; X-Generic
# makes it do so inside a developer's desktop session too.
set(ENV{XDG_CURRENT_DESKTOP} X-Generic)
execute_process(COMMAND mimetype --version RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "no mimetype program (libfile-mimeinfo-perl): xdg-mime would fall back to "
                      "file(1), which never reads the MIME database; run scripts/install-deps")
endif()

set(problems "")
foreach(case IN ITEMS "${example}|yes" "${WORK_DIR}/organ|yes" "${WORK_DIR}/organ-lf|yes"
                      "${WORK_DIR}/dump.txt|no" "${SOURCE_DIR}/README.md|no")
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 file)
  list(GET case 1 expected)
  execute_process(COMMAND xdg-mime query filetype "${file}"
                  RESULT_VARIABLE status OUTPUT_VARIABLE found ERROR_VARIABLE errors
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT status EQUAL 0)
    string(APPEND problems "\n  xdg-mime failed on ${file} (${status}): ${errors}")
  elseif(expected AND NOT found STREQUAL type)
    string(APPEND problems "\n  ${file} is '${found}', not ${type}")
  elseif(NOT expected AND found STREQUAL type)
    string(APPEND problems "\n  ${file} is taken for ${type}")
  endif()
endforeach()

if(problems)
  message(FATAL_ERROR "the .zkt type:${problems}")
endif()
