# cmake -DOUTPUT=file.cpp -DPO_FILES="a.po;b.po" -P embed_catalogues.cmake
# Writes the source that holds each .po file's text as it is, named by the file's name.
if(NOT PO_FILES)
  message(FATAL_ERROR "no catalogue in po/")
endif()
set(delimiter "zkt_po")
set(catalogues "")
foreach(po IN LISTS PO_FILES)
  get_filename_component(language ${po} NAME_WE)
  file(READ ${po} text)
  string(FIND "${text}" ")${delimiter}\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${po} holds \")${delimiter}\"\", which ends the text it is embedded in")
  endif()
  string(APPEND catalogues "    {\"${language}\", R\"${delimiter}(${text})${delimiter}\"},\n")
endforeach()
file(WRITE ${OUTPUT}.new
  "// Made by embed_catalogues.cmake from po/*.po when the library is built.\n"
  "#include \"i18n/shipped_catalogues.h\"\n\n"
  "namespace zkt {\n\n"
  "std::span<const ShippedCatalogue> shippedCatalogues() {\n"
  "    static constexpr ShippedCatalogue catalogues[] = {\n"
  "${catalogues}"
  "    };\n"
  "    return catalogues;\n"
  "}\n\n"
  "} // namespace zkt\n")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
