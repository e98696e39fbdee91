# Compiles the JSON catalogs of one folder (i18n/<part>/<language>.json) into a
# source file that defines `std::span<const EmbeddedCatalog> <function>()`, so a
# program carries its texts. Adding a language is adding a file: the folder is
# globbed again at every build; an edited catalog makes CMake run again too,
# since its text is read here and not by a build step.
function(skarnwald_embed_catalogs target folder function)
  file(GLOB catalogs CONFIGURE_DEPENDS ${folder}/*.json)
  list(SORT catalogs)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${catalogs})
  set(entries "")
  foreach(catalog IN LISTS catalogs)
    get_filename_component(language ${catalog} NAME_WE)
    file(READ ${catalog} json)
    string(FIND "${json}" ")catalog\"" clash)
    if(NOT clash EQUAL -1)
      message(FATAL_ERROR "${catalog} holds the text ')catalog\"', which ends the embedded string")
    endif()
    string(APPEND entries "    {\"${language}\", R\"catalog(${json})catalog\"},\n")
  endforeach()
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${function}.cpp)
  # Written through a copy that replaces the source only when it changed, and
  # never through configure_file's substitutions, which would touch the texts.
  file(WRITE ${source}.new
"// Generated from ${folder} by cmake/Catalogs.cmake; edit the catalogs instead.
#include \"text/EmbeddedCatalogs.h\"

namespace skarnwald {

namespace {
constexpr EmbeddedCatalog kCatalogs[] = {
${entries}};
} // namespace

std::span<const EmbeddedCatalog> ${function}() {
    return kCatalogs;
}

} // namespace skarnwald
")
  configure_file(${source}.new ${source} COPYONLY)
  target_sources(${target} PRIVATE ${source})
endfunction()
