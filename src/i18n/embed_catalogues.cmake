# cmake -DOUTPUT=file.cpp -DPO_FILES="a.po;b.po" -P embed_catalogues.cmake
# Writes the source that holds each .po file's entries, named by the file's name, in parts
# cut at line ends: compilers need not take a string literal longer than 65536 characters.
if(NOT PO_FILES)
  message(FATAL_ERROR "no catalogue in po/")
endif()
set(delimiter "zkt_po")
set(catalogues "")
set(declarations "")
foreach(po IN LISTS PO_FILES)
  get_filename_component(language ${po} NAME_WE)
  file(READ ${po} text)
  # Comments are for translators (#. #: #| and obsolete #~ entries); only the flags (#,) matter
  # to the reader, which leaves fuzzy entries out.
  string(REGEX REPLACE "\n#[^,\n][^\n]*" "" text "\n${text}")
  string(REGEX REPLACE "^\n" "" text "${text}")
  string(REPLACE "\n#, qt-format\n" "\n" text "${text}")
  string(FIND "${text}" ")${delimiter}\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${po} holds \")${delimiter}\"\", which ends the text it is embedded in")
  endif()
  set(parts "")
  string(LENGTH "${text}" left)
  while(left GREATER 0)
    set(part "${text}")
    if(left GREATER 30000)
      string(SUBSTRING "${text}" 0 30000 part)
      string(FIND "${part}" "\n" lastLineEnd REVERSE)
      if(lastLineEnd LESS 0)
        message(FATAL_ERROR "${po} has a line of more than 30000 characters")
      endif()
      math(EXPR partLength "${lastLineEnd} + 1")
      string(SUBSTRING "${text}" 0 ${partLength} part)
    endif()
    string(LENGTH "${part}" partLength)
    string(SUBSTRING "${text}" ${partLength} -1 text)
    math(EXPR left "${left} - ${partLength}")
    string(APPEND parts "R\"${delimiter}(${part})${delimiter}\",\n")
  endwhile()
  string(APPEND declarations "constexpr std::string_view ${language}Parts[] = {\n${parts}};\n\n")
  string(APPEND catalogues "    {\"${language}\", ${language}Parts},\n")
endforeach()
file(WRITE ${OUTPUT}.new
  "// Made by embed_catalogues.cmake from po/*.po when the library is built.\n"
  "#include \"i18n/shipped_catalogues.h\"\n\n"
  "namespace zkt {\n\n"
  "namespace {\n\n"
  "${declarations}"
  "} // namespace\n\n"
  "std::span<const ShippedCatalogue> shippedCatalogues() {\n"
  "    static constexpr ShippedCatalogue catalogues[] = {\n"
  "${catalogues}"
  "    };\n"
  "    return catalogues;\n"
  "}\n\n"
  "} // namespace zkt\n")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
