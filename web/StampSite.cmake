# Writes the service worker from its template: the list of the site's files
# (the catalogs in i18n/ among them) and a cache name from their hashes. The
# screenshots are for the browser's install dialog only, which is never
# offline: they are not kept.
file(GLOB_RECURSE site_files LIST_DIRECTORIES false RELATIVE ${SITE_DIR} ${SITE_DIR}/*)
list(REMOVE_ITEM site_files sw.js)
list(FILTER site_files EXCLUDE REGEX "^screenshot-")
list(SORT site_files)
set(digest_input "")
set(file_list "")
foreach(name IN LISTS site_files)
  file(SHA256 ${SITE_DIR}/${name} hash)
  string(APPEND digest_input "${name} ${hash}\n")
  string(APPEND file_list "  './${name}',\n")
endforeach()
string(SHA256 digest "${digest_input}")
string(SUBSTRING ${digest} 0 16 SITE_VERSION)
set(SITE_FILES "${file_list}")
configure_file(${TEMPLATE} ${SITE_DIR}/sw.js @ONLY)
